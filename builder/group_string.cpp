#include "group_string.h"

#include "string_list.h"

namespace {
const std::string Separator(1, GroupSeparator);
}

TGroupFields ReadGroupString(const std::string& Value)
{
    TArrayOfString Parts;
    SplitString(Value, Separator, 3, Parts);
    return TGroupFields{Parts[0], Parts[1], Parts[2]};
}

std::string WriteGroupString(const TGroupFields& Fields)
{
    return Fields.Name + Separator + Fields.Icon + Separator + Fields.Enabled;
}

std::string WithGroupField(const std::string& Value, TGroupField Field, const std::string& Text)
{
    TGroupFields Fields = ReadGroupString(Value);
    switch (Field) {
    case gfName:
        Fields.Name = Text;
        break;
    case gfIcon:
        Fields.Icon = Text;
        break;
    case gfEnabled:
        Fields.Enabled = Text;
        break;
    }
    return WriteGroupString(Fields);
}

TCharSet GroupBlockedChars() { return CharSet(Separator); }

std::string StripGroupSeparator(const std::string& Text) { return StripChars(GroupBlockedChars(), Text, 0, true); }

void RemoveGroupEntry(THash& Groups, const std::string& Key)
{
    const std::int32_t Index = Groups.IndexOfKey(Key);
    if (Index < 0)
        return;
    // Shift the later entries down; the last one then leaves by itself, which the
    // table's own removal (a swap with the last) does without moving anything.
    for (std::int32_t I = Index; I + 1 < Groups.Count(); ++I)
        Groups.SetEntry(I, Groups.GetEntry(I + 1));
    Groups.Delete(Groups.Count() - 1);
}

std::string FreshGroupID(const THash& Groups, const TUniqueIDSource& Source)
{
    const std::string Stem = Source.TimeText() + "_";
    // A thousand draws nearly always find a free number; a suffix settles the rest.
    for (int Draw = 0; Draw < 1000; ++Draw) {
        const std::string ID = Stem + std::to_string(Source.Random(1000));
        if (Groups.IndexOfKey(ID) < 0)
            return ID;
    }
    for (std::int32_t N = 1000;; ++N) {
        const std::string ID = Stem + std::to_string(N);
        if (Groups.IndexOfKey(ID) < 0)
            return ID;
    }
}
