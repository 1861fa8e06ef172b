#pragma once

// The tree nodes and the settings page on real property pages, under the main
// window's rules for selections and row changes (the fake tree and window of
// node_fakes.h), the rows driven by mouse and keyboard messages.
#include "builder_fakes.h"
#include "color_scheme.h"
#include "gui_support.h"
#include "key_input.h"
#include "node_fakes.h"
#include "group_string.h"
#include "node_group.h"
#include "prop_editor_rows.h"
#include "prop_page.h"
#include "settings_page.h"
#include "ui_form.h"

#include <memory>
#include <string>
#include <vector>

class NodePagesTest : public TBuilderTest {
protected:
    void SetUp() override
    {
        TBuilderTest::SetUp();
        Project = MakeBuilder();
        Window = std::make_unique<TForm>(nullptr);
        Window->SetCaption("Tree nodes");
        Window->SetBounds(20, 20, 900, 560);
        Window->SetColor(PaletteColor1);
        ItemPage = MakePage(8);
        ViewPage = MakePage(450);
        ItemPage->OnPropChange = [this](TObject* S) {
            auto* Row = static_cast<CFxProp_b*>(S);
            if (CNode_b* Node = Form->CurrentNode())
                Node->PropChanged(Row);
            ViewChange(Row);
        };
        ViewPage->OnPropChange = [this](TObject* S) { ViewChange(static_cast<CFxProp_b*>(S)); };
        Form = std::make_unique<TFakeNodeForm>(*Project, *ItemPage, *ViewPage);
        Window->Show();
        NewProject();
    }
    void TearDown() override
    {
        ClearNodeList(*Form);
        Form.reset();
        Window.reset();
    }

    CFxPropPage* MakePage(int Left)
    {
        auto* P = new CFxPropPage(Window.get());
        P->SetParent(Window.get());
        P->SetBounds(Left, 8, 420, 500);
        P->SetPageColor(PaletteColor1);
        P->SetColorCaption(PaletteColor5);
        P->SetColorFrame(PaletteTextColor);
        P->SetUseHelpBox(true);
        P->SetHeight_HB(80);
        P->SetIconIndex(0);
        P->SetIconOpenIndex(1);
        P->SetPVwidth(0.33);
        return P;
    }

    // What the main window's page change does: the title renames the tree root.
    void ViewChange(CFxProp_b* Row)
    {
        if (Row->Key == "eList_GGroup")
            Form->Tree().SetItemText(Form->Tree().FirstItem(), Row->Value);
        Form->SetModified();
    }

    // The main window's New, then its tree building from the project's tables.
    void NewProject()
    {
        ClearNodeList(*Form);
        Project->NewProject();
        Rebuild();
    }
    void Rebuild()
    {
        ClearNodeList(*Form);
        ItemPage->Clear(true);
        ViewPage->Clear(true);
        Root = BuildSettingsPage(*Form);
        LoadSettingsPage(*ViewPage, *Project);
        INodeTree& T = Form->Tree();
        T.SetItemText(Root->TreeNode, Project->Settings.Lookup("eList_GGroup"));
        T.SetItemImage(Root->TreeNode, 15);
        for (const THashPair& P : Project->Groups.Pairs()) {
            if (P.Key.empty() || P.Key == "RootGID")
                continue;
            const TTreeItem Item = T.AddChild(Root->TreeNode, ReadGroupString(P.Value).Name);
            auto* G = new CNode_Group(*Form, Item);
            G->GID = P.Key;
            T.SetItemNode(Item, G);
        }
        Groups.clear();
        for (CNode_b* N : NodeList.Items())
            if (auto* G = dynamic_cast<CNode_Group*>(N); G && !G->IsRoot)
                Groups.push_back(G);
        T.Select(Root->TreeNode);
        PaintPages();
    }
    // A group entry the tree then shows, as if read from a project file.
    void LoadGroups(const std::vector<std::pair<std::string, std::string>>& Entries)
    {
        for (const auto& E : Entries)
            Project->Groups.Add(E.first, E.second);
        Rebuild();
        Project->Modified = false;
    }

    void PaintPages()
    {
        PaintNow(ItemPage->Handle());
        PaintNow(ViewPage->Handle());
    }
    void Select(CNode_b* Node)
    {
        Form->Tree().Select(Node->TreeNode);
        PaintPages();
    }
    void ClickAt(CFxPropPage* Page, int X, int Y)
    {
        SendMessageA(Page->Handle(), WM_MOUSEMOVE, 0, PointParam(X, Y));
        SendMessageA(Page->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(X, Y));
        SendMessageA(Page->Handle(), WM_LBUTTONUP, 0, PointParam(X, Y));
    }
    void ClickValue(CFxProp_b* Row)
    {
        auto* Page = static_cast<CFxPropPage*>(Row->Page);
        // A click on the top line of a scrolled page scrolls it: the row goes second.
        Page->ShowItem(Row, false);
        if (Row == Page->TopItem() && Page->TopIndex() > 0)
            Page->ShowItem(Page->ItemAt(Page->TopIndex() - 1), false);
        PaintNow(Page->Handle());
        // The last line of a page that scrolls on scrolls too: the page opens the editor.
        if (Row == Page->LastRow() && Page->TopIndex() > 0)
            Page->ShowItem(Row, true);
        else
            ClickAt(Page, Row->ValueRect.Left + 20, Row->ValueRect.Top + 10);
    }
    // Types Text over the whole value of an edit row and commits it with Enter.
    void Retype(CFxProp_Edit* Row, const std::string& Text)
    {
        ClickValue(Row);
        ASSERT_NE(Row->Editor, nullptr) << Row->Caption;
        HWND E = Row->Editor->Handle();
        SendMessageA(E, EM_SETSEL, 0, -1);
        SendMessageA(E, WM_CLEAR, 0, 0);
        PostChars(E, Text);
        PumpMessages(3);
        PostKey(E, VK_RETURN);
        PumpMessages(3);
    }
    CFxProp_b* ItemRow(const std::string& Caption) const
    {
        for (const auto& R : ItemPage->Root()->Children)
            if (R->Caption == Caption)
                return R.get();
        return nullptr;
    }
    std::vector<std::string> GroupKeys() const
    {
        std::vector<std::string> V;
        for (const THashPair& P : Project->Groups.Pairs())
            V.push_back(P.Key);
        return V;
    }
    std::vector<std::string> RootChildren() const { return Form->FakeTree().ChildTexts(Root->TreeNode); }

    std::unique_ptr<CCastamer> Project;
    std::unique_ptr<TForm> Window;
    CFxPropPage* ItemPage = nullptr;
    CFxPropPage* ViewPage = nullptr;
    std::unique_ptr<TFakeNodeForm> Form;
    CNode_Group* Root = nullptr;
    std::vector<CNode_Group*> Groups;
};
