#pragma once
// A page from the material folders: a metafile shown at its own size from
// the box's top-left corner, cut off where the screen ends. A page that is
// missing or damaged leaves the area empty but for one line saying so.
#include "metafile.h"

#include <QWidget>
#include <optional>

class MaterialPaths;

class PageBox : public QWidget {
public:
    explicit PageBox(QWidget* parent);

    // Puts a page into the box; false when it cannot be shown.
    bool LoadPicture(const MaterialPaths& paths, const QString& materialPath);
    const std::optional<metafile::Metafile>& page() const { return page_; }
    const QString& file() const { return file_; }

    static const QString& cannotShow();
    // Draws a page at its own size at the program's scale, from the
    // painter's origin, over whatever is already there.
    static void paint(const metafile::Metafile& page, QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<metafile::Metafile> page_;
    QString file_;
};
