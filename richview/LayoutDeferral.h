#pragma once
// Holds back the layout of a document during a bulk change. Qt lays out the changed part of a
// document at once after every change, which for a change of megabytes freezes the window for
// seconds; a whole-document relayout, by contrast, is done lazily, visible part first. While this
// object lives the document has no page size, so changes are not laid out; when it goes, the
// page size comes back and the whole document is laid out lazily.

#include <QSizeF>
#include <QTextDocument>

class LayoutDeferral
{
public:
    // Changes smaller than this many characters are laid out as usual.
    static constexpr qsizetype kBulkChange = 65536;

    explicit LayoutDeferral(QTextDocument *doc, bool active = true)
        : doc_(active ? doc : nullptr)
        , pageSize_(doc->pageSize())
    {
        if (doc_)
            doc_->setPageSize(QSizeF(0, 0)); // a null size: the layout ignores changes
    }
    ~LayoutDeferral()
    {
        if (doc_)
            doc_->setPageSize(pageSize_);
    }
    LayoutDeferral(const LayoutDeferral &) = delete;
    LayoutDeferral &operator=(const LayoutDeferral &) = delete;

private:
    QTextDocument *doc_;
    QSizeF pageSize_;
};
