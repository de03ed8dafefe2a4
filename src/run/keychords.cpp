#include "run/keychords.h"

void KeyChords::pressed(int key, int shift) {
    down_.insert(key, shift);
}

int KeyChords::released(int key, int shift) {
    const auto it = down_.constFind(key);
    if (it == down_.constEnd()) return shift;
    const int atPress = it.value();
    down_.erase(it);
    return atPress;
}

bool HeldKeys::hold(const Key& k) {
    const bool seen = down_.value(k.key, false);
    if (!k.press || k.autoRepeat) {
        // A release or a repeat of a key pressed before the window existed.
        if (!seen) return false;
    }
    if (keys_.size() >= kLimit) return false;
    if (!k.press && !k.autoRepeat) down_.remove(k.key);
    if (k.press) down_.insert(k.key, true);
    keys_.push_back(k);
    return true;
}

std::vector<HeldKeys::Key> HeldKeys::take() {
    std::vector<Key> out;
    out.swap(keys_);
    down_.clear();
    return out;
}
