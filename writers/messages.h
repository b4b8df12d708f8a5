// The sentence of each finding: the card and the values, in words an
// engineer reads in an editor's list of errors or in a CI annotation.
#ifndef TORVEX_WRITERS_MESSAGES_H_
#define TORVEX_WRITERS_MESSAGES_H_

#include <string>

#include "checker/findings.h"

namespace torvex {

/// Appends the finding's message to *out: one line, no line end. Texts
/// from the deck are written as they are.
void append_message(std::string* out, const PointMassNode& f);
void append_message(std::string* out, const LoadComponents& f);
void append_message(std::string* out, const MassNodeLink& f);
void append_message(std::string* out, const Constraint& f);
void append_message(std::string* out, const Eigenvalues& f);
void append_message(std::string* out, const TimeStep& f);
void append_message(std::string* out, const MissingKeyword& f);
void append_message(std::string* out, const GravityLoad& f);
void append_message(std::string* out, const MassNodeUnconstrained& f);
void append_message(std::string* out, const IncludeFailure& f);
void append_message(std::string* out, const UnresolvedReference& f);

/// "modal frequency-response" or "modal transient".
const char* run_name(Profile profile);

/// A real number as the report writes it, without its padding ("%.4g").
void append_real(std::string* out, double value);

}  // namespace torvex

#endif  // TORVEX_WRITERS_MESSAGES_H_
