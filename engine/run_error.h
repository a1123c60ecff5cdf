#pragma once
// The error that ends one run of the page reading pipeline.

#include <exception>

namespace orvex::engine {

/// Thrown by a pipeline stage that meets a state it cannot go on from (a block position past
/// the end of Blocks, a missing kind list that must exist). InterpretHTMLMain catches it and
/// ends the run with the result false; it never leaves the engine.
class RunError : public std::exception {
  public:
    /// `where` names the operation that failed; it must be a string literal.
    explicit RunError(const char* where) noexcept : m_where(where) {}
    /// The operation that failed.
    const char* what() const noexcept override { return m_where; }

  private:
    const char* m_where;
};

}  // namespace orvex::engine
