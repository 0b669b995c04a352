#pragma once

namespace notes {

// The keys the note and its shadow act on; the windows map their own key codes to these.
enum class Key { Other, Escape, Delete, F1, F2, F3, F4, F, J, K, N, R, S, T, W, Menu };

// The modifiers held with a key, as bits.
enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4, kMeta = 8 };

}  // namespace notes
