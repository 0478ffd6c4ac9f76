#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The system clipboard as the transfer uses it: text, UTF-8 here, which the
// platform keeps in its own text formats. Only one program can hold it open
// at a time.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Opens it for this program; false while another program holds it open.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // The calls below need the clipboard open.
    // Removes every format.
    virtual bool Empty() = 0;
    // The text up to its first NUL; false when the clipboard offers none.
    virtual bool ReadText(std::string& text) = 0;
    // Replaces every format with `text`; `partial` marks a listing that is
    // still growing, which clipboard histories and monitors then leave out.
    // False when that fails; the clipboard may then have been emptied.
    virtual bool ReplaceText(std::string_view text, bool partial) = 0;
    // Changes with every change of the content, whichever program makes it;
    // open or not.
    virtual std::uint32_t SequenceNumber() = 0;
};

// Holds the clipboard open for one access and closes it however that ends.
class ClipboardSession {
public:
    explicit ClipboardSession(Clipboard& clipboard) : m_clipboard(clipboard), m_open(clipboard.Open()) {}
    ~ClipboardSession() {
        if (m_open) m_clipboard.Close();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    explicit operator bool() const { return m_open; }

private:
    Clipboard& m_clipboard;
    bool m_open;
};
