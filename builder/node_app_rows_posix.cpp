// Without a window system the row kinds that edit through windows are plain rows:
// the node's logic runs on them unchanged.
#include "node_app.h"

TPropRowClass AppRowClass(TAppRowKind Kind)
{
    switch (Kind) {
    case arConst:
        return RowClass<CFxProp_Const>();
    case arGroup:
        return RowClass<CFxProp_Group>();
    case arColor:
        return RowClass<CFxProp_Color>();
    case arCheckBox:
        return RowClass<CFxProp_CheckBox>();
    case arCreator:
        return RowClass<CFxProp_GroupPropCrea>();
    default:
        return RowClass<CFxProp_b>();
    }
}

void ConfigureAppRow(CFxProp_b&, const TAppRow&, CNode_App&) {}

void SetAppRowItems(CFxProp_b&, const TArrayOfString&) {}
