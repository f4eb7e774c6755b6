#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "editor/shell/command_router.h"
#include "editor/shell/command_table.h"

using namespace ::editor::shell;

namespace {

struct ExpectedRow {
    int id;
    const char* menuPath;
    const char* menuText;
    const char* prompt;  // nullptr: none given
};

// Every command of the editor with the texts users see.
const ExpectedRow kExpected[] = {
    {57600, "&File", "&New", "Create a new document\nNew"},
    {57601, "&File", "&Open...", "Open an existing document\nOpen"},
    {32890, "&File", "Open Prop...",
     "Import a prop (such as a weapon) for positioning\nOpen Prop..."},
    {57603, "&File", "&Save", "Save the active document\nSave"},
    {57604, "&File", "Save &As...", "Save the active document with a new name\nSave As"},
    {32816, "&File", "Load &Pose...", nullptr},
    {32817, "&File", "Sa&ve Pose...", nullptr},
    {32853, "&File", "Load Bones...", nullptr},
    {32852, "&File", "Save Bones...", nullptr},
    {32913, "&File", "Import &Motion Capture...",
     "Convert a motion-capture clip (BVH) to a pose file for the player skeleton\nImport Motion "
     "Capture"},
    {32882, "&File", "Load Bindings...", "Load mesh-to-bone triangle bindings\nLoad Bindings..."},
    {32883, "&File", "Save Bindings...", "Save mesh-to-bone triangle bindings\nSave Bindings..."},
    {32894, "&File", "Load Orientation...", "Load the orientation of the model\nLoad Orientation"},
    {32895, "&File", "Save Orientation...", "Save the orientation of the model.\nSave Orientation"},
    {32805, "&File/&Export...", "&Flex Model", nullptr},
    {32862, "&File/&Export...", "&Quick Flex Model", nullptr},
    {32863, "&File/&Export...", "Flex Model F&rom...", nullptr},
    {32901, "&File/&Export...", "Merged &Skin...",
     "Merge texture maps for model and props.\nMerged Skin"},
    {32898, "&File", "Background...", "Load a background image\nBackground"},
    {57635, "&Edit", "Cu&t", "Cut the selection and put it on the Clipboard\nCut"},
    {57643, "&Edit", "&Undo", "Undo the last action\nUndo"},
    {57644, "&Edit", "&Redo", "Redo the previously undone action\nRedo"},
    {57634, "&Edit", "&Copy", "Copy the selection and put it on the Clipboard\nCopy"},
    {57637, "&Edit", "&Paste", "Insert Clipboard contents\nPaste"},
    {32775, "&Edit", "Control Device...", nullptr},
    {32778, "&Edit", "Input Device Setup...", nullptr},
    {59392, "&View", "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {59393, "&View", "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {32855, "&View", "&Dividing Plane",
     "Displays a dividing plane that can be positioned.\nDividing Plane"},
    {32856, "&View", "&Generated Model", "View posed model instead of current mesh"},
    {32776, "&View", "Selection &Box", nullptr},
    {32779, "&View", "&Hit Point", nullptr},
    {32880, "&View", "&Bone Bindings",
     "Show the triangles associated with a selected bone.\nBone Bindings"},
    {32893, "&View", "&Prop", "Make the imported prop visible or invisible\nProp"},
    {32772, "&View", "Rotate", nullptr},
    {32773, "&View", "Reset", nullptr},
    {32849, "&Skeleton", "Mesh &Nodes...", nullptr},
    {32847, "&Skeleton", "&Angel Wings", nullptr},
    {32828, "&Skeleton", "Demon &Wings", nullptr},
    {32848, "&Skeleton", "&Insect Wings", nullptr},
    {32815, "&Skeleton", "&Rigid Bones", nullptr},
    {32854, "&Skeleton", "Normalize &Poses", nullptr},
    {32888, "&Skeleton", "&Scale To Ground",
     "Scale generated model and skeleton so feet touch ground"},
    {32881, "&Skeleton", "&Guess Bindings",
     "Estimate mesh-bone bindings for all unbound bones.\nGuess Bindings"},
    {32879, "&Skeleton", "&Bind to Bone",
     "Bind the selected mesh to the selected bone.\nBind to Bone"},
    {32865, "&Skeleton", "&Unbind Bone", "Unbind all mesh from the selected bone.\nUnbind Bone"},
    {32866, "&Skeleton", "Unbind &All Bones", "Unbind all mesh from all bones.\nUnbind All Bones"},
    {32885, "&Skeleton", "&Previous Bone", "Select previous bone in heirarchy\nPrevious Bone"},
    {32886, "&Skeleton", "&Next Bone", "Select the next bone in the heirarchy\nNext Bone"},
    {32807, "&Skeleton", "Hips To &Origin", nullptr},
    {32810, "&Skeleton", "Restore &Defaults", nullptr},
    {32914, "&Skeleton", "&Play Poses...",
     "Play the poses of a pose file on the skeleton; Esc stops\nPlay Poses"},
    {32792, "&Model", "&Solid (selectable)", nullptr},
    {32896, "&Model", "&Live Update", nullptr},
    {32884, "&Model", "&Lock Position", nullptr},
    {32891, "&Model", "Merge &Prop", "Merge the prop into the player model\nMerge Prop"},
    {32802, "&Model", "&Make Poseable", "Commit mesh assigned to bones to make body parts"},
    {32897, "&Model", "Clone &Hands", "Clone the hands of the model to hold weapons\nClone Hands"},
    {32818, "&Model", "Rotate &X", nullptr},
    {32819, "&Model", "Rotate &Y", nullptr},
    {32820, "&Model", "Rotate &Z", nullptr},
    {32821, "&Model", "Flip X", nullptr},
    {32822, "&Model", "Flip Y", nullptr},
    {32823, "&Model", "Flip Z", nullptr},
    {32867, "&Group", "&New", "Initialize an empty temporary triangle group.\nNew"},
    {32869, "&Group", "&Save...", "Save the temporary triangle group\nSave..."},
    {32871, "&Group", "&Rename...", "Change the name of an existing triangle group.\nRename..."},
    {32876, "&Group", "&Delete...", "Delete a group.\nDelete"},
    {32868, "&Group", "&Add...",
     "Add an existing triangle group to the temporary triangle group.\nAdd..."},
    {32872, "&Group", "Sub&tract...",
     "Subtract an existing triangle group from the temporary triangle group.\nSubtract..."},
    {32875, "&Group", "S&plit...", "Split the current group using the dividing plane\nSplit"},
    {32877, "&Group", "&Flood Add Triangles",
     "Add all triangles connected to the current triangle\nFlood Add Triangles"},
    {32878, "&Group", "Fl&ood Subtract Triangles",
     "Subtract all triangles connected to the current triangle.\nFlood Subtract Triangles"},
    {32907, "&Group", "Add Near Neigh&bors", "Add close triangles to group\nAdd Near Neighbors"},
    {32904, "&Group", "Re&verse Normals", "Reverse the normals of the group.\nReverse Normals"},
    {32905, "&Group", "Fi&x Neighbor Normals",
     "Correct the normals of a triangle's neighbors.\nFix Neighbor Normals"},
    {32786, "&Camera", "&Front View", nullptr},
    {32787, "&Camera", "&Rear View", nullptr},
    {32788, "&Camera", "&Left View", nullptr},
    {32789, "&Camera", "Ri&ght View", nullptr},
    {32790, "&Camera", "&Top View", nullptr},
    {32791, "&Camera", "&Bottom View", nullptr},
    {57664, "&Help", "&About Marionet...",
     "Display program information, version number and copyright\nAbout"},
    {32774, "", "Transforms", nullptr},
    {32825, "", "Live Update", "Update model geometry as skeleton is posed\nLive Update"},
    {32859, "", "Flip Texture U", nullptr},
    {32860, "", "Flip Texture V", nullptr},
    {32861, "", "Quick Export", nullptr},
    {32874, "", "Wrap Add Triangles",
     "Add triangles wrapping around selected bone\nWrap Add Triangles"},
    {32889, "", "Arm/Leg Beef", "Increase arem and leg diameter 25% in generated model"},
    {32892, "", "Wavefront OBJ File",
     "Export the player model as Wavefront .OBJ data\nWavefront OBJ File"},
};

TEST(CommandTableTest, EveryCommandIsPresentOnceWithItsTexts) {
    std::set<int> ids;
    for (const CommandInfo& command : CommandTable()) {
        EXPECT_TRUE(ids.insert(command.id).second) << "duplicate id " << command.id;
    }
    for (const ExpectedRow& row : kExpected) {
        const CommandInfo* command = FindCommand(row.id);
        ASSERT_NE(command, nullptr) << row.id;
        EXPECT_EQ(command->menuPath, row.menuPath) << row.id;
        EXPECT_EQ(command->menuText, row.menuText) << row.id;
        if (row.prompt != nullptr) {
            EXPECT_EQ(command->prompt, row.prompt) << row.id;
        }
    }
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandTableTest, MenusComeInOrderAndEveryPathStartsWithOne) {
    std::vector<std::string_view> menus(TopLevelMenus().begin(), TopLevelMenus().end());
    EXPECT_EQ(menus, (std::vector<std::string_view>{"&File", "&Edit", "&View", "&Skeleton",
                                                    "&Model", "&Group", "&Camera", "&Help"}));
    std::size_t lastMenu = 0;
    for (const CommandInfo& command : CommandTable()) {
        if (command.menuPath.empty()) {
            continue;
        }
        std::string_view top = command.menuPath.substr(0, command.menuPath.find('/'));
        auto it = std::find(menus.begin(), menus.end(), top);
        ASSERT_NE(it, menus.end()) << command.menuPath;
        // Rows are in menu order, so a window can build its menus in one pass.
        std::size_t index = static_cast<std::size_t>(it - menus.begin());
        EXPECT_GE(index, lastMenu) << command.menuText;
        lastMenu = index;
    }
}

TEST(CommandTableTest, AcceleratorsToolbarAndCheckItems) {
    auto keys = [](int id) {
        const CommandInfo* command = FindCommand(id);
        return std::vector<std::string_view>{command->accelerators[0], command->accelerators[1]};
    };
    using Keys = std::vector<std::string_view>;
    EXPECT_EQ(keys(ID_FILE_NEW), (Keys{"Ctrl+N", ""}));
    EXPECT_EQ(keys(ID_FILE_OPEN), (Keys{"Ctrl+O", ""}));
    EXPECT_EQ(keys(ID_FILE_SAVE), (Keys{"Ctrl+S", ""}));
    EXPECT_EQ(keys(ID_EDIT_CUT), (Keys{"Ctrl+X", "Shift+Del"}));
    EXPECT_EQ(keys(ID_EDIT_COPY), (Keys{"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(keys(ID_EDIT_PASTE), (Keys{"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(keys(ID_EDIT_UNDO), (Keys{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(keys(ID_EDIT_REDO), (Keys{"Ctrl+Y", "Ctrl+Shift+Z"}));
    EXPECT_EQ(keys(ID_NEXT_PANE), (Keys{"F6", ""}));
    EXPECT_EQ(keys(ID_PREV_PANE), (Keys{"Shift+F6", ""}));
    EXPECT_EQ(keys(ID_SKELETON_NEXT_BONE), (Keys{"Tab", ""}));
    EXPECT_EQ(keys(ID_SKELETON_PREVIOUS_BONE), (Keys{"Shift+Tab", ""}));

    std::vector<int> toolbar(ToolbarButtons().begin(), ToolbarButtons().end());
    EXPECT_EQ(toolbar,
              (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT,
                                ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_FILE_PRINT, ID_APP_ABOUT}));

    for (int id : {ID_VIEW_SELECTION_BOX, ID_VIEW_HIT_POINT, ID_SKELETON_RIGID_BONES,
                   ID_MODEL_LOCK_POSITION, ID_CAMERA_TOP, ID_LIVE_UPDATE, ID_QUICK_EXPORT}) {
        EXPECT_TRUE(FindCommand(id)->checkItem) << id;
    }
    EXPECT_FALSE(FindCommand(ID_FILE_NEW)->checkItem);
    EXPECT_TRUE(FindCommand(ID_APP_EXIT)->frameworkOwned);
    EXPECT_FALSE(FindCommand(ID_FILE_NEW)->frameworkOwned);
}

// Scripts name commands by path and users press accelerators: each must reach one command.
TEST(CommandTableTest, NoTwoCommandsSharePathOrAccelerator) {
    std::map<std::string, int> paths;
    std::map<std::string, int> keys;
    for (const CommandInfo& command : CommandTable()) {
        std::string path = CommandPath(command);
        std::transform(path.begin(), path.end(), path.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        auto [samePath, newPath] = paths.emplace(path, command.id);
        EXPECT_TRUE(newPath) << path << ": " << samePath->second << " and " << command.id;
        for (std::string_view key : command.accelerators) {
            if (key.empty()) {
                continue;
            }
            auto [sameKey, newKey] = keys.emplace(std::string(key), command.id);
            EXPECT_TRUE(newKey) << key << ": " << sameKey->second << " and " << command.id;
        }
    }
    EXPECT_EQ(paths.size(), CommandTable().size());
}

TEST(CommandTableTest, CommandPathsArePlainMenuPaths) {
    struct Case {
        int id;
        const char* path;
    };
    const Case cases[] = {
        {ID_FILE_NEW, "File/New"},
        {ID_GROUP_SAVE, "Group/Save"},
        {ID_EXPORT_FLEX_MODEL_FROM, "File/Export/Flex Model From"},
        {ID_APP_ABOUT, "Help/About Marionet"},
        {ID_LIVE_UPDATE, "Live Update"},
        {ID_ARM_LEG_BEEF, "Arm/Leg Beef"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandPath(*FindCommand(c.id)), c.path) << c.id;
    }
}

TEST(CommandTableTest, PlainNamesAndPromptStatusText) {
    EXPECT_EQ(PlainCommandName("Flex Model F&rom..."), "Flex Model From");
    EXPECT_EQ(PlainCommandName("&Solid (selectable)"), "Solid (selectable)");
    EXPECT_EQ(PlainCommandName("Salt && Pepper"), "Salt & Pepper");
    EXPECT_EQ(PlainCommandName("Rotate"), "Rotate");
    EXPECT_EQ(PromptStatusText("Delete a group.\nDelete"), "Delete a group.");
    EXPECT_EQ(PromptStatusText("Load a picture"), "Load a picture");
}

TEST(CommandRouterTest, UnboundAndDisabledCommandsRefuseToRun) {
    CommandRouter router;
    int runs = 0;
    bool enabled = false;
    bool checked = true;
    EXPECT_FALSE(router.Bind(12345, {.run = [&runs] { ++runs; }}));  // not in the table
    EXPECT_FALSE(router.Bind(ID_FILE_NEW, {}));                      // nothing to run
    EXPECT_FALSE(router.IsEnabled(ID_FILE_NEW));
    EXPECT_FALSE(router.Run(ID_FILE_NEW));

    ASSERT_TRUE(router.Bind(ID_FILE_NEW, {.run = [&runs] { ++runs; },
                                          .isEnabled = [&enabled] { return enabled; },
                                          .isChecked = [&checked] { return checked; }}));
    EXPECT_FALSE(router.Run(ID_FILE_NEW));
    EXPECT_EQ(runs, 0);
    enabled = true;
    EXPECT_TRUE(router.Run(ID_FILE_NEW));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(router.IsChecked(ID_FILE_NEW));
    checked = false;
    EXPECT_FALSE(router.IsChecked(ID_FILE_NEW));

    ASSERT_TRUE(router.Bind(ID_FILE_OPEN, {.run = [] {}}));
    EXPECT_TRUE(router.IsEnabled(ID_FILE_OPEN));  // no rule: always enabled
    EXPECT_FALSE(router.IsChecked(ID_FILE_OPEN));
}

}  // namespace
