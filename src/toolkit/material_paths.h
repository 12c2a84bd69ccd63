#pragma once
// Material is named the way the screens spell it ("Images\spitfism.jpg",
// "images\spitfire2sm.jpg", "multiple/track.txt"). On a case-sensitive file
// system those spellings must still find the one file that is meant.
#include <QString>

class MaterialPaths {
public:
    explicit MaterialPaths(QString root) : root_(std::move(root)) {}

    const QString& root() const { return root_; }

    // The path on disk for a material path: either separator, every component
    // matched without regard to case, a trailing blank dropped. Components
    // that do not exist yet are kept as written, so a new file can be created.
    QString resolve(const QString& materialPath) const;

private:
    QString root_;
};
