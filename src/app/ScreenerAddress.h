#pragma once

#include <QString>

// Addresses on the screener's web site. The site is the built-in public host unless the
// environment variable ZENTRIN_SCREENER_URL names another one (scheme, host and port, e.g.
// "http://127.0.0.1:8080"), which is how the program is pointed at the bundled simulator.
namespace ScreenerAddress {

inline constexpr const char *EnvironmentVariable = "ZENTRIN_SCREENER_URL";
inline constexpr const char *DefaultSite = "http://screener.vozaz.com";

// Scheme, host and port, without a trailing "/".
QString Site();
// The result page whose first row has the given 1-based number: 1, 21, 41, ...
QString ResultPageAddress(int firstRow);
// The vendor's quote page; with a symbol, the page of that stock (the symbol percent-encoded
// as the query).
QString QuotePageAddress(const QString &symbol = QString());
// The vendor's home page.
QString HomePageAddress();

}  // namespace ScreenerAddress
