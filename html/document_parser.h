#pragma once

#include "html/doc_viewer.h"

// The viewer's parse step over the parser's entry points: HTML or plain
// text from the request's source, with the request's handlers and the
// script handler of the document's viewer; that viewer is the handlers' Sender.
TParseResult ParseDocument(const TParseRequest& request);
