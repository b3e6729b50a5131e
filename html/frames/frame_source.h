#pragma once

#include <string>
#include <string_view>

namespace html {

// A link split at its first "#": the file part and the anchor with its "#".
struct TSplitLink {
  std::string File;
  std::string Anchor;
};
TSplitLink SplitAnchor(std::string_view link);

// Documents the frames show as pictures or plain text, by extension. The
// extension compares without case; the name itself keeps it.
bool IsImageFileName(std::string_view name);
bool IsTextFileName(std::string_view name);

// Where a link inside a frame-set document leads.
struct TLinkContext {
  std::string Folder;      // the folder of the document holding the link, with its separator
  std::string BaseHref;    // its BASE, empty without one
  std::string ServerRoot;  // put in front of a link starting with "\"
};

// A file name from a link (a FRAME's SRC, a refresh URL) of a frame-set
// document: converted to a path, the server root in front of "\"; a
// relative result is completed from the BASE ("DosPath" meaning the current
// directory) or else from the document's folder. A path that starts with a
// separator is absolute already.
std::string ExpandDocumentLink(std::string_view link, const TLinkContext& context);

// Two file names name the same file only when they are equal: the file
// system tells names apart by case.
bool SameFileName(std::string_view a, std::string_view b);

// True for an existing file whose reading ends: no directory, and no device
// such as /dev/zero (names resolve as the kernel layer resolves them).
bool DocumentFileExists(const std::string& name);

}  // namespace html
