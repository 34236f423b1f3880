// The browser's document and serialiser on any HTTP body: never a crash, every element
// serialises, and the BODY markup goes through the page parser.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "web/HtmlDocument.h"
#include "web/PageLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // Odd lengths get no charset, even ones a declared one: both roads are taken.
    const QByteArray contentType = size % 2 ? QByteArray() : QByteArray("text/html; charset=utf-8");
    const auto document =
        web::PageLoader::DocumentFromBody(QStringLiteral("http://127.0.0.1/b"), body, contentType);
    if (!document || document->All().Length() < 3)  // HTML, HEAD and BODY always exist
        std::abort();
    qsizetype total = 0;
    for (int i = 0; i < document->All().Length(); ++i) {
        const web::HtmlElement *element = document->All().Item(i);
        if (element->tagName().isEmpty())
            std::abort();
        total += element->innerhtml().size();
    }
    return total < 0;
}
