#pragma once

#include <QString>

#include <cstdint>

// What the editing commands remember between uses while the program runs:
// whether edit mode is on, the path Copy last took (Paste's source), and
// the channels of the colour last chosen. Nothing of it is saved.
class EditSession {
public:
    bool EditMode() const { return editMode_; }
    void SetEditMode(bool on) { editMode_ = on; }

    const QString& CopiedPath() const { return copiedPath_; }
    void SetCopiedPath(const QString& path) { copiedPath_ = path; }

    // The colour being chosen: it carries into the colour dialog and back.
    std::int16_t mR = 0, mG = 0, mB = 0;

private:
    bool editMode_ = false;
    QString copiedPath_;
};
