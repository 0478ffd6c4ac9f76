#pragma once

#include <string_view>

// Where a listing goes as it is composed: the clipboard, or a file.
class ListingOutput {
public:
    virtual ~ListingOutput() = default;
    // Starts a new listing; false when what it replaces could not be cleared.
    virtual bool Clear() = 0;
    // Adds a piece to the listing.
    virtual void Append(std::string_view piece) = 0;
    // Delivers what is not yet delivered; false when the listing could not
    // be delivered whole.
    virtual bool Finish() = 0;
};
