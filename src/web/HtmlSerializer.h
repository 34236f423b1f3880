#pragma once

#include <cstddef>
#include <string>

struct GumboInternalNode;

namespace web {

// Writes the content of a parsed element (its children, not the element itself) the way the
// program's page parser expects a browser to give it back, as UTF-8:
// - tag names upper case (an unknown tag keeps its source spelling, upper-cased);
// - attributes in source order with their parsed (lower-case) names; a value made only of
//   letters, digits, '-', '.' and '_' goes without quotes, any other value in double quotes with
//   '&' and '"' escaped; an attribute written without a value keeps no value;
// - text with '&', '<', '>' and the no-break space as "&amp;", "&lt;", "&gt;", "&nbsp;";
// - every line break of the source as CR LF;
// - void elements (BR, IMG, INPUT, ...) without an end tag; script and style text unescaped;
// - comments as <!--...-->.
// The walk uses its own stack, so deeply nested junk cannot exhaust the call stack. It stops once
// out holds more than maxBytes, and then returns false.
bool AppendInnerHtml(const GumboInternalNode *element, std::string &out,
                     std::size_t maxBytes = std::string::npos);

// Upper-case tag name of an element node ("TD", "TBODY", or the unknown tag's own name).
std::string TagNameOf(const GumboInternalNode *element);

}  // namespace web
