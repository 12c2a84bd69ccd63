#pragma once
// A page from the material folders: a metafile shown at its own size from
// the box's top-left corner, cut off where the screen ends. A page that is
// missing, damaged before anything a reader could see, or not a page at all
// leaves the area empty but for one line saying so.
#include "metafile.h"
#include "spoken_text.h"

#include <QWidget>
#include <optional>

class MaterialPaths;

class PageBox : public QWidget, public spoken_text::Drawn {
public:
    // A box that is never shown (the print version of a page) reads its page
    // only when the page is asked for: most pages are looked at, not
    // printed, and a page with pictures takes a megabyte or more to hold.
    enum class Reading { AtOnce, WhenAsked };
    explicit PageBox(QWidget* parent, Reading reading = Reading::AtOnce);

    // Puts a page into the box; false when it cannot be shown. A box that
    // reads when asked only checks that the file is there.
    bool LoadPicture(const MaterialPaths& paths, const QString& materialPath);
    const std::optional<metafile::Metafile>& page() const;
    const QString& file() const { return file_; }

    static const QString& cannotShow();

    // Read aloud: the line of the page at a point of the box, or the whole
    // page where no line lies there; and the page's words in reading order.
    QString wordsAt(QPoint local) const override;
    QString allWords() const override;
    // Draws a page at its own size at the program's scale, from the
    // painter's origin, over whatever is already there.
    static void paint(const metafile::Metafile& page, QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Reading reading_;
    // Read on demand from page(), which is const to its callers.
    mutable std::optional<metafile::Metafile> page_;
    mutable bool read_ = false;
    QString file_;
};
