#include "controls/tree/core/tree_errors.h"

namespace lazytree {

namespace {

struct ErrorRow {
    int code;
    const char* text;
};

constexpr ErrorRow kErrors[] = {
    {hcTFWrongMoveError, "Target node cannot be a child node of the node to be moved."},
    {hcTFWrongStreamFormat, "Unable to load tree structure, the format is wrong."},
    {hcTFWrongStreamVersion, "Unable to load tree structure, the version is unknown."},
    {hcTFStreamTooSmall, "Unable to load tree structure, not enough data available."},
    {hcTFCorruptStream1, "Stream data corrupt. A node's anchor chunk is missing."},
    {hcTFCorruptStream2, "Stream data corrupt. Unexpected data after node's end position."},
    {hcTFClipboardFailed, "Clipboard operation failed."},
};

} // namespace

const char* TreeErrorText(int helpContext)
{
    for (const ErrorRow& row : kErrors)
        if (row.code == helpContext)
            return row.text;
    return "";
}

void RaiseTreeError(const std::string& message, int helpContext)
{
    throw ELazyTreeError(message, helpContext);
}

void RaiseTreeError(int helpContext)
{
    throw ELazyTreeError(TreeErrorText(helpContext), helpContext);
}

void TreeAssertionFailed(const std::string& message)
{
    throw ETreeAssertion(message);
}

} // namespace lazytree
