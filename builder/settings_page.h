#pragma once

#include "string_helpers.h"

class CCastamer;
class CFxPropPageLogic;
class CNode_Group;
class INodeForm;

// The settings page (ppView): the package-wide settings of the project's Settings
// table, one keyed row each, and the root node of the tree made beside its title row.

// Adds the rows to Form's settings page, which the caller has cleared and coloured,
// and answers the root node, made right after the "Destribution Title" row. All rows
// start empty.
CNode_Group* BuildSettingsPage(INodeForm& Form);

// The rows take the values of Settings; absent keys leave their rows as they are.
void LoadSettingsPage(CFxPropPageLogic& Page, const CCastamer& Project);

// Every row into Settings, then the Groups entry "RootGID" := title "|" root icon;
// the project's Modified flag stays as it was.
void StoreSettingsPage(const CFxPropPageLogic& Page, CCastamer& Project);
// The main window's storing: its settings page into its project.
void StoreSettingsPage(INodeForm& Form);

// What the "Creation Date" and "Creation Time" rows take: every printable character
// and the editing keys, so that a date and a time can be typed.
TCharSet CreationAllowedChars();
