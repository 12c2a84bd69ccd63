#pragma once
// A page from the material folders: a metafile shown at its own size from
// the box's top-left corner, cut off where the screen ends. A page that is
// missing or damaged leaves the area empty but for one line saying so.
#include "metafile.h"

#include <QPixmap>
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
    // A page at its own size at the program's scale, on transparent ground.
    static QPixmap render(const metafile::Metafile& page, qreal ratio = 1);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<metafile::Metafile> page_;
    QString file_;
    // The page drawn once when it is loaded; painting is then a copy.
    QPixmap drawn_;
};
