// torvex_benchmark: times whole runs of torvex on generated decks against
// two plain reads of the same deck (cat deck deck > /dev/null), measured
// side by side in the same run, with the peak resident memory of each run.
// The last rows run the command line on the largest decks: the text
// format without and with the reference checks, and the gcc and json
// formats, which count lines.
// Columns: the best time of torvex, its throughput over the deck's size,
// its peak resident memory, the best time of the two plain reads, and the
// median ratio of torvex's time to the plain reads' time run just before,
// and the bytes torvex read (all files, from /proc) over the deck's size.
//
// Usage: torvex_benchmark TORVEX DIR [--sizes 128M,512M,1G] [--repeat N]
//                         [--only NAME] [--huge] [--elements]
// Decks are generated into DIR once and reused.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/deck_generator.h"

extern char** environ;

namespace {

using torvex::bench::DeckShape;

struct Measure {
  double seconds = 0;
  long peak_kib = 0;
  int status = 0;
  double bytes_read = 0;  // what the child read with read(), all files
};

// The bytes a finished child read, from /proc while it is not yet reaped.
double bytes_read_by(pid_t pid) {
  std::FILE* io = std::fopen(("/proc/" + std::to_string(pid) + "/io").c_str(), "r");
  if (io == nullptr) return 0;
  char line[128];
  double bytes = 0;
  while (std::fgets(line, sizeof line, io)) {
    if (std::strncmp(line, "rchar:", 6) == 0) bytes = std::strtod(line + 6, nullptr);
  }
  std::fclose(io);
  return bytes;
}

// Runs argv with standard input from stdin_path and standard output to
// /dev/null; wall time and the child's maximum resident set.
Measure run(const std::vector<std::string>& args, const std::string& stdin_path) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, stdin_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  auto start = std::chrono::steady_clock::now();
  pid_t pid;
  Measure m;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::perror(argv[0]);
    std::exit(1);
  }
  int status = 0;
  struct rusage usage;
  siginfo_t finished;
  waitid(P_PID, static_cast<id_t>(pid), &finished, WEXITED | WNOWAIT);
  m.bytes_read = bytes_read_by(pid);
  wait4(pid, &status, 0, &usage);
  m.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.peak_kib = usage.ru_maxrss;
  m.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  posix_spawn_file_actions_destroy(&actions);
  return m;
}

std::uint64_t parse_size(const std::string& text) {
  double value = std::strtod(text.c_str(), nullptr);
  char unit = text.empty() ? ' ' : text.back();
  std::uint64_t scale = unit == 'G' ? 1ull << 30 : unit == 'M' ? 1ull << 20 : 1;
  return static_cast<std::uint64_t>(value * static_cast<double>(scale));
}

std::string ensure_deck(const std::string& dir, const DeckShape& shape) {
  std::string path = dir + "/" + torvex::bench::name_of(shape) + ".nas";
  struct stat status;
  if (stat(path.c_str(), &status) == 0) return path;
  std::fprintf(stderr, "generating %s\n", path.c_str());
  std::string partial = path + ".partial";
  std::FILE* out = std::fopen(partial.c_str(), "wb");
  if (!out || !torvex::bench::write_deck(shape, out) || std::fclose(out) != 0 ||
      std::rename(partial.c_str(), path.c_str()) != 0) {
    std::perror(partial.c_str());
    std::exit(1);
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: torvex_benchmark TORVEX DIR [--sizes 128M,512M,1G] "
                 "[--repeat N] [--only NAME] [--huge] [--elements]\n");
    return 2;
  }
  std::string torvex = argv[1];
  std::string dir = argv[2];
  std::vector<std::uint64_t> sizes = {128ull << 20, 512ull << 20, 1ull << 30};
  int repeat = 5;
  std::string only;
  bool huge = false;
  bool elements = false;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--sizes" && i + 1 < argc) {
      sizes.clear();
      std::string list = argv[++i];
      for (std::size_t at = 0; at <= list.size();) {
        std::size_t comma = std::min(list.find(',', at), list.size());
        sizes.push_back(parse_size(list.substr(at, comma - at)));
        at = comma + 1;
      }
    } else if (arg == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else if (arg == "--huge") {
      huge = true;
    } else if (arg == "--elements") {
      elements = true;
    }
  }

  std::vector<DeckShape> shapes;
  for (std::uint64_t size : sizes) {
    shapes.push_back({false, size, false, false, 1});
  }
  std::uint64_t largest =
      sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
  shapes.push_back({true, largest, false, false, 2});
  shapes.push_back({false, largest, true, false, 3});
  shapes.push_back({true, largest, false, true, 4});
  if (huge) shapes.push_back({false, 9ull << 29, false, false, 5});  // 4.5 GiB
  // Meshes of each element family, at the largest size.
  if (elements) {
    for (const char* family : torvex::bench::kElementFamilies) {
      if (std::string(family) == "shells") continue;
      DeckShape shape{false, largest, false, false, 1};
      shape.elements = family;
      shapes.push_back(shape);
    }
  }

  std::printf("%-22s %10s %10s %11s %9s %10s %7s %6s\n", "deck", "size MiB", "torvex s",
              "MiB/s", "peak MiB", "2x cat s", "ratio", "read");
  // The dialogue on every deck; then the command line.
  struct Row {
    DeckShape shape;
    std::string label;  // empty: the dialogue
    std::vector<std::string> options;
  };
  std::vector<Row> rows;
  for (const DeckShape& shape : shapes) rows.push_back({shape, "", {}});
  // The text format without and with the reference checks, on the
  // frequency-response, transient, CR LF and report-heavy decks.
  for (int i = 0; i < 4; ++i) {
    DeckShape shape = shapes[sizes.size() - 1 + static_cast<std::size_t>(i)];
    const char* type = shape.transient ? "transient" : "frf";
    rows.push_back({shape, "noref", {"--type", type, "--no-references"}});
    rows.push_back({shape, "text", {"--type", type}});
  }
  for (const char* format : {"gcc", "json"}) {
    rows.push_back({DeckShape{false, largest, false, false, 1},
                    format,
                    {"--type", "frf", "--format", format}});
  }

  for (const Row& row : rows) {
    const DeckShape& shape = row.shape;
    std::string name = torvex::bench::name_of(shape);
    if (!only.empty() && name != only) continue;
    std::string deck = ensure_deck(dir, shape);
    std::string answers = dir + "/" + name + ".answers";
    if (std::FILE* f = std::fopen(answers.c_str(), "w")) {
      std::fprintf(f, "%d\n%s\n", shape.transient ? 2 : 1, deck.c_str());
      std::fclose(f);
    }
    std::vector<std::string> command = {torvex};
    std::string input = answers;
    if (!row.label.empty()) {
      command.insert(command.end(), row.options.begin(), row.options.end());
      command.push_back(deck);
      input = "/dev/null";
      name += " " + row.label;
    }
    struct stat status;
    stat(deck.c_str(), &status);
    // Warm the page cache, then alternate the two so that both see the
    // same machine; the best of each counts.
    run({"/bin/cat", deck}, "/dev/null");
    // Each run of torvex is paired with a run of cat just before it: the
    // ratio of a pair is taken under the same load of the machine, and
    // the median ratio is reported. Times are the best of the runs.
    Measure best_torvex, best_cat;
    best_torvex.seconds = best_cat.seconds = 1e30;
    std::vector<double> ratios;
    for (int r = 0; r < repeat; ++r) {
      Measure c = run({"/bin/cat", deck, deck}, "/dev/null");
      Measure t = run(command, input);
      if (t.status != 0 && !(!row.label.empty() && t.status == 3)) {
        std::fprintf(stderr, "torvex exited %d on %s\n", t.status, deck.c_str());
        return 1;
      }
      ratios.push_back(t.seconds / c.seconds);
      best_cat.seconds = std::min(best_cat.seconds, c.seconds);
      best_torvex.seconds = std::min(best_torvex.seconds, t.seconds);
      best_torvex.peak_kib = std::max(best_torvex.peak_kib, t.peak_kib);
      best_torvex.bytes_read = std::max(best_torvex.bytes_read, t.bytes_read);
    }
    std::sort(ratios.begin(), ratios.end());
    double mib = static_cast<double>(status.st_size) / (1 << 20);
    std::printf("%-22s %10.0f %10.3f %11.0f %9.1f %10.3f %7.2f %6.3f\n", name.c_str(),
                mib, best_torvex.seconds, mib / best_torvex.seconds,
                best_torvex.peak_kib / 1024.0, best_cat.seconds,
                ratios[ratios.size() / 2],
                best_torvex.bytes_read / static_cast<double>(status.st_size));
    std::fflush(stdout);
  }
  return 0;
}
