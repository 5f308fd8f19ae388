// What character a keysym stands for, without asking the display.
#pragma once

// The Unicode code point of a keysym: Latin-1 keysyms are their own code points, keysyms of the
// form 0x01xxxxxx carry one directly, and the older character-set keysyms (Latin-2 to Latin-9,
// Cyrillic, Greek, and the others of the protocol's table) are looked up. 0 for keysyms that are
// no printable character (function keys, modifiers, control characters).
char32_t KeySymToUnicode(unsigned long KeySym);
