#include "store/SharedTexts.h"

#include "platform/TextCodec.h"

SharedTexts::~SharedTexts()
{
    ReleaseBlock();
}

void SharedTexts::ReleaseBlock()
{
    if (!block)
        return;
    // The block's own reference; the texts cut from it keep it alive.
    QStringPrivate own(block, next, 0);
    block = nullptr;
    next = limit = nullptr;
}

void SharedTexts::NewBlock()
{
    ReleaseBlock();
    const auto [header, data] = QTypedArrayData<char16_t>::allocate(BlockUnits);
    if (!header)
        qBadAlloc();
    block = header;
    next = data;
    limit = data + BlockUnits;
}

QString SharedTexts::Ascii(const char *bytes, qsizetype size)
{
    if (size <= 0)
        return QString();
    if (size > LongestShared)
        return QString::fromLatin1(bytes, size);
    if (limit - next < size + 1)
        NewBlock();
    char16_t *const text = next;
    platform::WidenAscii(bytes, size, text);
    text[size] = u'\0';
    next += size + 1;
    block->ref();
    return QString(QStringPrivate(block, text, size));
}
