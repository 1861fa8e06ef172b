#include "node_app.h"

#include "device_file_rows.h"
#include "prop_editor_rows.h"

TPropRowClass AppRowClass(TAppRowKind Kind)
{
    switch (Kind) {
    case arConst:
        return RowClass<CFxProp_Const>();
    case arGroup:
        return RowClass<CFxProp_Group>();
    case arEdit:
        return RowClass<CFxProp_Edit>();
    case arColor:
        return RowClass<CFxProp_Color>();
    case arCheckBox:
        return RowClass<CFxProp_CheckBox>();
    case arCBox:
        return RowClass<CFxProp_CBox>();
    case arCreator:
        return RowClass<CFxProp_GroupPropCrea>();
    case arSCut:
        return RowClass<CFxProp_SCut>();
    case arPDFile:
        return RowClass<CFxProp_PDFile>();
    case arCDFile:
        return RowClass<CFxProp_CDFile>();
    }
    return RowClass<CFxProp_b>();
}

void ConfigureAppRow(CFxProp_b& Row, const TAppRow& Spec, CNode_App& Node)
{
    const TNotifyEvent Deleted = [&Node](TObject* S) { Node.RowDeleted(S); };
    if (auto* E = dynamic_cast<CFxProp_Edit*>(&Row)) {
        E->Style = Spec.Style;
        E->DlgStyle = Spec.Picture ? DLG_Picture : DLG_File;
        E->ExData = Spec.ExData;
        E->HKey_DirFile = Spec.HKey_DirFile;
        if (Spec.AnyPrintable)
            E->AllowedChars = AnyPrintableChars();
    } else if (auto* B = dynamic_cast<CFxProp_CBox*>(&Row)) {
        B->GetItems() = Spec.Items;
        B->SetStyle(Spec.ComboStyle);
        if (Spec.Event == aeFillCabList)
            B->OnFill = [&Node](TObject* S) { Node.FillCabList(S); };
    } else if (auto* C = dynamic_cast<CFxProp_SCut*>(&Row)) {
        C->OnDelete = Deleted;
        C->HKey_DirFile = Spec.HKey_DirFile;
        C->DeviceMode = Spec.DeviceMode;
    } else if (auto* P = dynamic_cast<CFxProp_PDFile*>(&Row)) {
        P->OnDelete = Deleted;
        P->HKey_DirFile = Spec.HKey_DirFile;
    } else if (auto* D = dynamic_cast<CFxProp_CDFile*>(&Row)) {
        D->OnDelete = Deleted;
        D->HKey_DirFile = Spec.HKey_DirFile;
    }
}

void SetAppRowItems(CFxProp_b& Row, const TArrayOfString& Items)
{
    if (auto* B = dynamic_cast<CFxProp_CBox*>(&Row))
        B->GetItems() = Items;
}
