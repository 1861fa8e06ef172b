#pragma once

#include "hash.h"
#include "string_helpers.h"

#include <string>

// A group's entry in the project's Groups table: Name|Icon|Enabled, split at "|"
// without escaping. Reading takes the first three fields (missing ones empty, the
// rest dropped); writing always gives exactly three.
struct TGroupFields {
    std::string Name;
    std::string Icon;
    std::string Enabled;
};

enum TGroupField { gfName = 0, gfIcon = 1, gfEnabled = 2 };

constexpr char GroupSeparator = '|';

TGroupFields ReadGroupString(const std::string& Value);
std::string WriteGroupString(const TGroupFields& Fields);
// Value with one field replaced, in the three-field form.
std::string WithGroupField(const std::string& Value, TGroupField Field, const std::string& Text);

// What a group name or the title may hold: the separator would split the entry.
TCharSet GroupBlockedChars();
std::string StripGroupSeparator(const std::string& Text);

// Takes Key's entry out of Groups keeping the order of the others, which the
// publisher sees in the tree and the installer's list.
void RemoveGroupEntry(THash& Groups, const std::string& Key);

// The local time in the long time format, "_" and a number from 0 to 999; drawn
// again while Groups holds it, so that a new group never takes over another's entry.
std::string FreshGroupID(const THash& Groups, const TUniqueIDSource& Source = DefaultUniqueIDSource());
