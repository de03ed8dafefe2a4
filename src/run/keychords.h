#pragma once

#include <QHash>
#include <QString>

#include <vector>

// A chord counts with the modifiers held when its key went down: a hand (or
// a tool such as xdotool) that lets go of Ctrl and Alt before S still meant
// Ctrl+Alt+S, and the release acts on it so.
class KeyChords {
public:
    // `key` went down with the modifier sum `shift` (1 Shift, 2 Ctrl, 4 Alt).
    void pressed(int key, int shift);
    // The modifiers the release of `key` acts with: those of its press when
    // the window saw it, else `shift`, the ones still held.
    int released(int key, int shift);
    // The window lost the keyboard: presses seen so far end elsewhere.
    void clear() { down_.clear(); }

private:
    QHash<int, int> down_;
};

// Key events that reach the window before its first tick has finished
// start-up. Nothing may act on a window not set up yet, but what the user
// typed as the window appeared is held and acted on at that tick, in
// order. A release (or a repeat) whose press came before the window existed
// belongs to whatever had the keyboard then, and is not held.
class HeldKeys {
public:
    struct Key {
        bool press = true;
        int key = 0;        // the toolkit's key code
        int modifiers = 0;  // the toolkit's modifier flags
        QString text;
        bool autoRepeat = false;
    };

    // True when `k` was held; false when it is to be ignored.
    bool hold(const Key& k);
    // The held keys in the order they came; the queue is empty afterwards.
    std::vector<Key> take();
    bool empty() const { return keys_.empty(); }

    // More than anyone types in the moment before the first tick.
    static constexpr size_t kLimit = 256;

private:
    std::vector<Key> keys_;
    QHash<int, bool> down_;
};
