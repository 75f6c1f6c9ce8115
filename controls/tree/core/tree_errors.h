#pragma once

#include <stdexcept>
#include <string>

namespace lazytree {

// Misuse of the tree (a nil node where one is required, data size not set, ...). Raised before anything
// changes; what() is the fixed English text.
class ETreeAssertion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Errors meant for the application; HelpContext() is the error code (2001 .. 2007).
class ELazyTreeError : public std::runtime_error {
public:
    ELazyTreeError(const std::string& message, int helpContext)
        : std::runtime_error(message), helpContext_(helpContext)
    {
    }
    int HelpContext() const { return helpContext_; }

private:
    int helpContext_;
};

constexpr int hcTFWrongMoveError = 2001;
constexpr int hcTFWrongStreamFormat = 2002;
constexpr int hcTFWrongStreamVersion = 2003;
constexpr int hcTFStreamTooSmall = 2004;
constexpr int hcTFCorruptStream1 = 2005;
constexpr int hcTFCorruptStream2 = 2006;
constexpr int hcTFClipboardFailed = 2007;

// The message of an error code, empty for a code outside 2001 .. 2007.
const char* TreeErrorText(int helpContext);

[[noreturn]] void RaiseTreeError(const std::string& message, int helpContext);
// Raises the error with its own text.
[[noreturn]] void RaiseTreeError(int helpContext);

[[noreturn]] void TreeAssertionFailed(const std::string& message);

// Fails with the message when the condition does not hold.
inline void TreeAssert(bool condition, const char* message)
{
    if (!condition)
        TreeAssertionFailed(message);
}

} // namespace lazytree
