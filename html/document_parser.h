#pragma once

#include "html/doc_viewer.h"

// The viewer's parse step over the parser's entry points: HTML or plain
// text from the request's source, with the request's handlers; the viewer's
// document is the handlers' Sender.
TParseResult ParseDocument(const TParseRequest& request);
