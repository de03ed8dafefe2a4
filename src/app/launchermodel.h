#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

#include "app/command.h"
#include "app/shownview.h"
#include "lists/listdocument.h"
#include "run/runmodes.h"

// The launcher's state without its window: what the main list shows, the
// list as data, the run modes, the way back from a sublist, the path Copy
// took and the command words waiting their turn. The window draws it and
// turns its events into calls here; nothing here is read back from a widget.
class LauncherModel {
public:
    // The list's background before anything set it: the desktop's window colour.
    static constexpr std::uint32_t kSystemWindowColor = 0x80000005u;

    explicit LauncherModel(const QString& programFolder) : folder_(programFolder) {}

    const QString& programFolder() const { return folder_; }

    // ---- the shown view ----
    const ShownView& view() const { return view_; }
    // Reads list `stem` and shows it: a list that cannot be read, or a
    // name refused, shows nothing that may be written. True when read.
    bool showList(const QString& stem);
    // The same, but a list whose file still holds what was read is shown
    // from the entries held, without reading it again.
    bool reshowList(const QString& stem);
    // The list view shows search results of `kind` from here on; the list
    // shown before stays the one a found sublist leads back to.
    void showResults(ViewKind kind);

    // The one place that refuses a command changing the list outside a list
    // read from its file.
    // Edit mode can always be left.
    bool allows(Command c) const {
        return !command::changesList(c) || view_.editable() ||
               (c == Command::EditMode && modes_.editMode);
    }

    // The search box is open over the list.
    bool searchBoxShown() const { return searchBox_; }
    void setSearchBoxShown(bool on) { searchBox_ = on; }
    // The digit column shows: every row fits, so digits and pointer
    // positions name rows.
    bool digitsShown() const { return digits_; }
    void setDigitsShown(bool on) { digits_ = on; }

    // ---- what the window draws besides the rows ----
    // The window's caption: the list shown, or what a search is doing.
    const QString& caption() const { return caption_; }
    void setCaption(const QString& text) { caption_ = text; }
    // The list's background, which tells a list from search results and
    // edit mode (0xRRGGBB, or the system window colour).
    std::uint32_t listColor() const { return listColor_; }
    void setListColor(std::uint32_t color) { listColor_ = color; }
    // The launcher's own run box is open over the list.
    bool runBoxShown() const { return runBox_; }
    void setRunBoxShown(bool on) { runBox_ = on; }
    // The status letter is shown (the right button on Browse hides it).
    bool statusShown() const { return statusShown_; }
    void setStatusShown(bool on) { statusShown_ = on; }

    // ---- the list ----
    ListDocument& list() { return list_; }
    const ListDocument& list() const { return list_; }
    bool dirty() const { return list_.dirty(); }
    void setDirty(bool on) { list_.setDirty(on); }

    // Asked, with the list file, when another program changed that file
    // while the list here has changes of its own: true keeps the changes
    // here and writes them over the file, false takes the file as it is.
    using KeepMine = std::function<bool(const QString& file)>;

    enum class Save {
        Refused,  // the view shows no list read from its file: nothing written
        Written,
        Failed,
        Reloaded,  // the list file was changed by another program and is shown
                   // instead: nothing written
    };
    // Saves the shown list through the list's one write rule. A change of
    // its file by another program is never written over unasked: without
    // changes here the file is shown again, with changes `keepMine`
    // decides; with nobody to ask, nothing is written.
    Save save(const KeepMine& keepMine);

    enum class Outside {
        None,      // the file is as it was read or last saved
        Kept,      // changed, and the changes here go over it at the next save
        Reloaded,  // changed, and shown again as the file holds it now
        Open,      // changed, and nobody to ask: nothing decided
    };
    // Settles a change of the shown list's file made by another program
    // before the list is written. `changing`: a change here is about to be
    // saved even if the list is not yet marked changed (a rename).
    Outside settleOutsideChange(bool changing, const KeepMine& keepMine);
    // The window is shown again: a list without changes here is read again
    // when its file was changed meanwhile. True when read again.
    bool refreshOnRecall();

    // ---- navigation ----
    // The list Back returns to (empty: the top list).
    const QString& parentList() const { return parentList_; }
    void setParentList(const QString& stem) { parentList_ = stem; }
    // A sublist titled `title` is opened from the shown view: the way back
    // leads to the list shown (or searched in). Returns the stem to load.
    QString openSublist(const QString& title);
    // Back: returns the stem to load; the shown list becomes the way back.
    QString back();

    // ---- run modes and copy ----
    RunModes& modes() { return modes_; }
    const RunModes& modes() const { return modes_; }
    const QString& copiedPath() const { return copiedPath_; }
    void setCopiedPath(const QString& path) { copiedPath_ = path; }

    // ---- command words ----
    // Queues relayed words and hands each to `act` once, in order, repeats
    // included. Words wait while start-up has not finished and while an
    // earlier word is still being acted on (a dialog it opened runs the
    // event loop); they are dropped once `ended` says the program ended.
    void deliverWords(const QStringList& words, bool startedUp,
                      const std::function<void(const QString&)>& act,
                      const std::function<bool()>& ended);
    const QStringList& pendingWords() const { return pendingWords_; }

private:
    bool show(const QString& stem, bool held);

    QString folder_;
    ShownView view_;
    bool searchBox_ = false;
    bool digits_ = true;
    QString caption_;
    std::uint32_t listColor_ = kSystemWindowColor;
    bool runBox_ = false;
    bool statusShown_ = true;
    ListDocument list_;
    QString parentList_;
    RunModes modes_;
    QString copiedPath_;
    QStringList pendingWords_;
    bool delivering_ = false;
};
