#pragma once

#include <QString>

// Short ASCII texts copied side by side into shared blocks: each text is an ordinary QString
// that holds a reference on its block instead of an allocation of its own. A table of 32,767
// records loaded this way costs a few dozen allocations instead of 65,534, and as few frees when
// it is dropped. A block lives as long as any of its texts; a text that is changed detaches
// from it like any shared QString. Each text is followed by a zero in the block, as every
// QString's data is.
class SharedTexts {
public:
    SharedTexts() = default;
    SharedTexts(const SharedTexts &) = delete;
    SharedTexts &operator=(const SharedTexts &) = delete;
    ~SharedTexts();

    // The text of the bytes, all of them ASCII (below 0x80).
    QString Ascii(const char *bytes, qsizetype size);

private:
    static constexpr qsizetype BlockUnits = 32768;  // UTF-16 code units a block holds
    // Longer texts than this get an allocation of their own, so a block is never mostly waste.
    static constexpr qsizetype LongestShared = 256;

    void NewBlock();
    void ReleaseBlock();

    QTypedArrayData<char16_t> *block = nullptr;
    char16_t *next = nullptr;
    char16_t *limit = nullptr;
};
