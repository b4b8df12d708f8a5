#include "console/include_names.h"

#include <cctype>

#include "console/file_access.h"

namespace torvex {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

bool same_letters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool is_name_byte(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// $NAME and ${NAME} replaced by the environment's values.
bool expand_variables(std::string_view name, std::string* out, std::string* failure) {
  for (std::size_t i = 0; i < name.size();) {
    if (name[i] != '$') {
      out->push_back(name[i++]);
      continue;
    }
    std::size_t start = i + 1;
    std::size_t end = start;
    bool braced = start < name.size() && name[start] == '{';
    if (braced) {
      end = name.find('}', start + 1);
      if (end == std::string_view::npos) {
        *failure = "no closing brace after ${";
        return false;
      }
      ++start;
    } else {
      while (end < name.size() && is_name_byte(name[end])) ++end;
    }
    std::string variable(name.substr(start, end - start));
    if (variable.empty()) {
      out->push_back('$');
      ++i;
      continue;
    }
    std::string value;
    if (!environment_value(variable, &value)) {
      *failure = "environment variable " + variable + " is not set";
      return false;
    }
    *out += value;
    i = braced ? end + 1 : end;
  }
  return true;
}

}  // namespace

Statement read_include_statement(std::string_view line, std::string* name) {
  std::size_t at = 0;
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  constexpr std::string_view kWord = "INCLUDE";
  if (line.size() - at < kWord.size() ||
      !same_letters(line.substr(at, kWord.size()), kWord)) {
    return Statement::kNone;
  }
  at += kWord.size();
  if (at < line.size() && !is_blank(line[at]) && line[at] != '\'')
    return Statement::kNone;
  while (at < line.size() && is_blank(line[at])) ++at;
  name->clear();
  if (at < line.size() && line[at] == '\'') {
    std::string_view rest = line.substr(at + 1);
    std::size_t close = rest.find('\'');
    *name = trimmed(rest.substr(0, close));
    return close == std::string_view::npos ? Statement::kContinued : Statement::kComplete;
  }
  std::size_t end = at;
  while (end < line.size() && !is_blank(line[end])) ++end;
  *name = line.substr(at, end - at);
  return Statement::kComplete;
}

bool continue_include_name(std::string_view line, std::string* name) {
  std::size_t close = line.find('\'');
  *name += trimmed(line.substr(0, close));
  return close != std::string_view::npos;
}

std::string folder_of(std::string_view path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? std::string()
                                         : std::string(path.substr(0, slash + 1));
}

std::vector<std::string> include_candidates(std::string_view written,
                                            std::string_view including_folder,
                                            std::string_view top_folder,
                                            const IncludeSearch& search,
                                            std::string* failure) {
  std::string name;
  if (!expand_variables(written, &name, failure)) return {};
  // SYMBOL:rest, for a symbol of two letters or more (one letter before
  // the colon is a drive letter). DIR/rest is taken as it stands.
  bool symbolic = false;
  std::size_t colon = name.find(':');
  if (colon != std::string::npos && colon >= 2 && name.find_first_of("/\\") > colon) {
    std::string_view symbol = std::string_view(name).substr(0, colon);
    for (const auto& [known, folder] : search.symbols) {
      if (same_letters(symbol, known)) {
        name = folder + "/" + name.substr(colon + 1);
        symbolic = true;
        break;
      }
    }
  }
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  if (name.empty()) {
    *failure = "no file name";
    return {};
  }
  if (symbolic || name.front() == '/') return {name};
  std::vector<std::string> candidates;
  auto add = [&](std::string_view folder) {
    std::string candidate(folder);
    if (!candidate.empty() && candidate.back() != '/' && candidate.back() != '\\') {
      candidate += '/';
    }
    candidate += name;
    for (const std::string& known : candidates) {
      if (known == candidate) return;
    }
    candidates.push_back(std::move(candidate));
  };
  add(including_folder);
  add(top_folder);
  for (const std::string& folder : search.folders) add(folder);
  return candidates;
}

}  // namespace torvex
