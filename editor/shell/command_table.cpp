#include "editor/shell/command_table.h"

#include <algorithm>

namespace editor::shell {

namespace {

constexpr std::string_view kFile = "&File";
constexpr std::string_view kExport = "&File/&Export...";
constexpr std::string_view kEdit = "&Edit";
constexpr std::string_view kView = "&View";
constexpr std::string_view kSkeleton = "&Skeleton";
constexpr std::string_view kModel = "&Model";
constexpr std::string_view kGroup = "&Group";
constexpr std::string_view kCamera = "&Camera";
constexpr std::string_view kHelp = "&Help";

constexpr std::string_view kMenus[] = {kFile,  kEdit,  kView,   kSkeleton,
                                       kModel, kGroup, kCamera, kHelp};

// Builders that keep the rows below short: each row names what it has.
struct Row : CommandInfo {
    constexpr Row Prompt(std::string_view text) const {
        Row row = *this;
        row.prompt = text;
        return row;
    }
    constexpr Row Keys(std::string_view first, std::string_view second = {}) const {
        Row row = *this;
        row.accelerators = {first, second};
        return row;
    }
    constexpr Row Check() const {
        Row row = *this;
        row.checkItem = true;
        return row;
    }
    constexpr Row Separator() const {
        Row row = *this;
        row.separatorBefore = true;
        return row;
    }
    constexpr Row Framework() const {
        Row row = *this;
        row.frameworkOwned = true;
        return row;
    }
};

constexpr Row Menu(int id, std::string_view path, std::string_view text) {
    Row row{};
    row.id = id;
    row.menuPath = path;
    row.menuText = text;
    return row;
}

constexpr Row Hidden(int id, std::string_view name) {
    return Menu(id, {}, name);
}

// Prompts of the framework's standard commands are the framework's own texts.
constexpr CommandInfo kCommands[] = {
    // File
    Menu(ID_FILE_NEW, kFile, "&New").Prompt("Create a new document\nNew").Keys("Ctrl+N"),
    Menu(ID_FILE_OPEN, kFile, "&Open...").Prompt("Open an existing document\nOpen").Keys("Ctrl+O"),
    Menu(ID_FILE_OPEN_PROP, kFile, "Open Prop...")
        .Prompt("Import a prop (such as a weapon) for positioning\nOpen Prop..."),
    Menu(ID_FILE_SAVE, kFile, "&Save").Prompt("Save the active document\nSave").Keys("Ctrl+S"),
    Menu(ID_FILE_SAVE_AS, kFile, "Save &As...")
        .Prompt("Save the active document with a new name\nSave As"),
    Menu(ID_FILE_LOAD_POSE, kFile, "Load &Pose...").Separator(),
    Menu(ID_FILE_SAVE_POSE, kFile, "Sa&ve Pose..."),
    Menu(ID_FILE_LOAD_BONES, kFile, "Load Bones..."),
    Menu(ID_FILE_SAVE_BONES, kFile, "Save Bones..."),
    Menu(ID_FILE_IMPORT_MOTION_CAPTURE, kFile, "Import &Motion Capture...")
        .Prompt("Convert a motion-capture clip (BVH) to a pose file for the player "
                "skeleton\nImport Motion Capture"),
    Menu(ID_FILE_LOAD_BINDINGS, kFile, "Load Bindings...")
        .Prompt("Load mesh-to-bone triangle bindings\nLoad Bindings..."),
    Menu(ID_FILE_SAVE_BINDINGS, kFile, "Save Bindings...")
        .Prompt("Save mesh-to-bone triangle bindings\nSave Bindings..."),
    Menu(ID_FILE_LOAD_ORIENTATION, kFile, "Load Orientation...")
        .Prompt("Load the orientation of the model\nLoad Orientation"),
    Menu(ID_FILE_SAVE_ORIENTATION, kFile, "Save Orientation...")
        .Prompt("Save the orientation of the model.\nSave Orientation"),
    Menu(ID_EXPORT_FLEX_MODEL, kExport, "&Flex Model"),
    Menu(ID_EXPORT_QUICK_FLEX_MODEL, kExport, "&Quick Flex Model"),
    Menu(ID_EXPORT_FLEX_MODEL_FROM, kExport, "Flex Model F&rom..."),
    Menu(ID_EXPORT_MERGED_SKIN, kExport, "Merged &Skin...")
        .Prompt("Merge texture maps for model and props.\nMerged Skin"),
    // The game's skins and folder
    Menu(ID_EXPORT_GAME_SKIN, kExport, "Export &Game Skin...")
        .Prompt("Write the model's skin as a Heretic II .m8 picture\nExport Game Skin"),
    Menu(ID_EXPORT_FOR_GAME, kExport, "&Export for the Game...")
        .Prompt("Write the model and its skins into the game's models/player/elf/ folder\n"
                "Export for the Game"),
    Menu(ID_FILE_BACKGROUND, kFile, "Background...")
        .Prompt("Load a background image\nBackground")
        .Separator(),
    // The recent files; a window shows each entry's path in place of these names.
    Menu(ID_FILE_MRU_FILE1, kFile, "Recent File 1").Prompt("Open this document").Separator(),
    Menu(ID_FILE_MRU_FILE2, kFile, "Recent File 2").Prompt("Open this document"),
    Menu(ID_FILE_MRU_FILE3, kFile, "Recent File 3").Prompt("Open this document"),
    Menu(ID_FILE_MRU_FILE4, kFile, "Recent File 4").Prompt("Open this document"),
    Menu(ID_APP_EXIT, kFile, "E&xit")
        .Prompt("Quit the application; prompts to save documents\nExit")
        .Separator()
        .Framework(),
    // Edit
    Menu(ID_EDIT_UNDO, kEdit, "&Undo")
        .Prompt("Undo the last action\nUndo")
        .Keys("Ctrl+Z", "Alt+Backspace"),
    Menu(ID_EDIT_REDO, kEdit, "&Redo")
        .Prompt("Redo the previously undone action\nRedo")
        .Keys("Ctrl+Y", "Ctrl+Shift+Z"),
    Menu(ID_EDIT_CUT, kEdit, "Cu&t")
        .Prompt("Cut the selection and put it on the Clipboard\nCut")
        .Keys("Ctrl+X", "Shift+Del")
        .Separator(),
    Menu(ID_EDIT_COPY, kEdit, "&Copy")
        .Prompt("Copy the selection and put it on the Clipboard\nCopy")
        .Keys("Ctrl+C", "Ctrl+Ins"),
    Menu(ID_EDIT_PASTE, kEdit, "&Paste")
        .Prompt("Insert Clipboard contents\nPaste")
        .Keys("Ctrl+V", "Shift+Ins"),
    Menu(ID_EDIT_CONTROL_DEVICE, kEdit, "Control Device...").Separator(),
    Menu(ID_EDIT_INPUT_DEVICE_SETUP, kEdit, "Input Device Setup..."),
    // View
    Menu(ID_VIEW_TOOLBAR, kView, "&Toolbar")
        .Prompt("Show or hide the toolbar\nToggle ToolBar")
        .Check()
        .Framework(),
    Menu(ID_VIEW_STATUS_BAR, kView, "&Status Bar")
        .Prompt("Show or hide the status bar\nToggle StatusBar")
        .Check()
        .Framework(),
    Menu(ID_VIEW_DIVIDING_PLANE, kView, "&Dividing Plane")
        .Prompt("Displays a dividing plane that can be positioned.\nDividing Plane")
        .Check()
        .Separator(),
    Menu(ID_VIEW_GENERATED_MODEL, kView, "&Generated Model")
        .Prompt("View posed model instead of current mesh")
        .Check(),
    Menu(ID_VIEW_SELECTION_BOX, kView, "Selection &Box").Check(),
    Menu(ID_VIEW_HIT_POINT, kView, "&Hit Point").Check(),
    Menu(ID_VIEW_BONE_BINDINGS, kView, "&Bone Bindings")
        .Prompt("Show the triangles associated with a selected bone.\nBone Bindings")
        .Check(),
    Menu(ID_VIEW_PROP, kView, "&Prop")
        .Prompt("Make the imported prop visible or invisible\nProp")
        .Check(),
    Menu(ID_VIEW_SKIN, kView, "S&kin")
        .Prompt("Draw the model, the generated model and the prop with their skins\nSkin")
        .Check(),
    Menu(ID_VIEW_ZOOM_TO_FIT, kView, "Zoom to &Fit")
        .Prompt("Show the whole model, prop and skeleton\nZoom to Fit")
        .Keys("Home")
        .Separator(),
    Menu(ID_VIEW_ROTATE, kView, "Rotate").Separator(),
    Menu(ID_VIEW_RESET, kView, "Reset"),
    // Skeleton
    Menu(ID_SKELETON_MESH_NODES, kSkeleton, "Mesh &Nodes..."),
    Menu(ID_SKELETON_ANGEL_WINGS, kSkeleton, "&Angel Wings").Separator(),
    Menu(ID_SKELETON_DEMON_WINGS, kSkeleton, "Demon &Wings"),
    Menu(ID_SKELETON_INSECT_WINGS, kSkeleton, "&Insect Wings"),
    Menu(ID_SKELETON_RIGID_BONES, kSkeleton, "&Rigid Bones").Check().Separator(),
    Menu(ID_SKELETON_NORMALIZE_POSES, kSkeleton, "Normalize &Poses").Check(),
    Menu(ID_SKELETON_SCALE_TO_GROUND, kSkeleton, "&Scale To Ground")
        .Prompt("Scale generated model and skeleton so feet touch ground")
        .Check(),
    Menu(ID_SKELETON_GUESS_BINDINGS, kSkeleton, "&Guess Bindings")
        .Prompt("Estimate mesh-bone bindings for all unbound bones.\nGuess Bindings")
        .Separator(),
    Menu(ID_SKELETON_BIND_TO_BONE, kSkeleton, "&Bind to Bone")
        .Prompt("Bind the selected mesh to the selected bone.\nBind to Bone"),
    Menu(ID_SKELETON_ADD_TO_BONE, kSkeleton, "Add &to Bone")
        .Prompt("Add the selected triangles to the selected bone; other bones let go of them\nAdd "
                "to Bone"),
    Menu(ID_SKELETON_REMOVE_FROM_BONE, kSkeleton, "Remove &from Bone")
        .Prompt("Take the selected triangles out of the selected bone\nRemove from Bone"),
    Menu(ID_SKELETON_UNBIND_BONE, kSkeleton, "&Unbind Bone")
        .Prompt("Unbind all mesh from the selected bone.\nUnbind Bone"),
    Menu(ID_SKELETON_UNBIND_ALL_BONES, kSkeleton, "Unbind &All Bones")
        .Prompt("Unbind all mesh from all bones.\nUnbind All Bones"),
    Menu(ID_SKELETON_PREVIOUS_BONE, kSkeleton, "&Previous Bone")
        .Prompt("Select previous bone in heirarchy\nPrevious Bone")
        .Keys("Shift+Tab")
        .Separator(),
    Menu(ID_SKELETON_NEXT_BONE, kSkeleton, "&Next Bone")
        .Prompt("Select the next bone in the heirarchy\nNext Bone")
        .Keys("Tab"),
    Menu(ID_SKELETON_HIPS_TO_ORIGIN, kSkeleton, "Hips To &Origin").Separator(),
    Menu(ID_SKELETON_RESTORE_DEFAULTS, kSkeleton, "Restore &Defaults"),
    Menu(ID_SKELETON_PLAY_POSES, kSkeleton, "&Play Poses...")
        .Prompt("Play the poses of a pose file on the skeleton; Esc stops\nPlay Poses")
        .Check(),
    // Rigging a model automatically
    Menu(ID_SKELETON_FIT_TO_MODEL, kSkeleton, "&Fit Skeleton to Model")
        .Prompt("Place the skeleton's joints in the standing model\nFit Skeleton to Model")
        .Separator(),
    Menu(ID_SKELETON_BIND_UNBOUND, kSkeleton, "Bind Unbound Triangl&es")
        .Prompt("Give every unbound triangle the bone of its nearest bound neighbour\nBind "
                "Unbound Triangles"),
    Menu(ID_SKELETON_AUTO_RIG, kSkeleton, "Au&to Rig...")
        .Prompt("Fit the model and the skeleton, bind every triangle and make the model "
                "poseable\nAuto Rig"),
    // Model
    Menu(ID_MODEL_SOLID, kModel, "&Solid (selectable)").Check(),
    Menu(ID_MODEL_LIVE_UPDATE_MENU, kModel, "&Live Update").Check(),
    Menu(ID_MODEL_LOCK_POSITION, kModel, "&Lock Position").Check(),
    Menu(ID_MODEL_MERGE_PROP, kModel, "Merge &Prop")
        .Prompt("Merge the prop into the player model\nMerge Prop")
        .Separator(),
    Menu(ID_MODEL_MAKE_POSEABLE, kModel, "&Make Poseable")
        .Prompt("Commit mesh assigned to bones to make body parts"),
    // Smooth joints
    Menu(ID_MODEL_SMOOTH_JOINTS, kModel, "Smooth &Joints")
        .Prompt("Blend the bones' motion near every joint of the generated model, in the view and "
                "in exports\nSmooth Joints")
        .Check(),
    Menu(ID_MODEL_JOINT_BLEND, kModel, "Joint &Blend...")
        .Prompt("Set how far the blend of Smooth Joints reaches from each joint\nJoint Blend"),
    Menu(ID_MODEL_CLONE_HANDS, kModel, "Clone &Hands")
        .Prompt("Clone the hands of the model to hold weapons\nClone Hands"),
    Menu(ID_MODEL_ROTATE_X, kModel, "Rotate &X").Separator(),
    Menu(ID_MODEL_ROTATE_Y, kModel, "Rotate &Y"),
    Menu(ID_MODEL_ROTATE_Z, kModel, "Rotate &Z"),
    Menu(ID_MODEL_FLIP_X, kModel, "Flip X").Separator(),
    Menu(ID_MODEL_FLIP_Y, kModel, "Flip Y"),
    Menu(ID_MODEL_FLIP_Z, kModel, "Flip Z"),
    Menu(ID_MODEL_FIT_TO_SKELETON, kModel, "&Fit Model to Skeleton")
        .Prompt("Scale and move the model so that it stands in the skeleton\nFit Model to "
                "Skeleton")
        .Separator(),
    Menu(ID_MODEL_SCALE, kModel, "&Scale Model...")
        .Prompt("Scale the model by a percentage\nScale Model"),
    Menu(ID_MODEL_SIMPLIFY, kModel, "S&implify Model...")
        .Prompt("Reduce the model to fewer triangles, keeping its texture seams\nSimplify "
                "Model"),
    Menu(ID_MODEL_SKIN, kModel, "Model S&kin...")
        .Prompt("Choose the picture the model is drawn with\nModel Skin")
        .Separator(),
    // Group
    Menu(ID_GROUP_NEW, kGroup, "&New").Prompt("Initialize an empty temporary triangle group.\nNew"),
    Menu(ID_GROUP_SAVE, kGroup, "&Save...").Prompt("Save the temporary triangle group\nSave..."),
    Menu(ID_GROUP_RENAME, kGroup, "&Rename...")
        .Prompt("Change the name of an existing triangle group.\nRename..."),
    Menu(ID_GROUP_DELETE, kGroup, "&Delete...").Prompt("Delete a group.\nDelete"),
    Menu(ID_GROUP_ADD, kGroup, "&Add...")
        .Prompt("Add an existing triangle group to the temporary triangle group.\nAdd...")
        .Separator(),
    Menu(ID_GROUP_SUBTRACT, kGroup, "Sub&tract...")
        .Prompt("Subtract an existing triangle group from the temporary triangle "
                "group.\nSubtract..."),
    Menu(ID_GROUP_SPLIT, kGroup, "S&plit...")
        .Prompt("Split the current group using the dividing plane\nSplit"),
    Menu(ID_GROUP_FLOOD_ADD, kGroup, "&Flood Add Triangles")
        .Prompt("Add all triangles connected to the current triangle\nFlood Add Triangles")
        .Separator(),
    Menu(ID_GROUP_FLOOD_SUBTRACT, kGroup, "Fl&ood Subtract Triangles")
        .Prompt("Subtract all triangles connected to the current triangle.\nFlood Subtract "
                "Triangles"),
    Menu(ID_GROUP_ADD_NEAR_NEIGHBORS, kGroup, "Add Near Neigh&bors")
        .Prompt("Add close triangles to group\nAdd Near Neighbors"),
    Menu(ID_GROUP_REVERSE_NORMALS, kGroup, "Re&verse Normals")
        .Prompt("Reverse the normals of the group.\nReverse Normals")
        .Separator(),
    Menu(ID_GROUP_FIX_NEIGHBOR_NORMALS, kGroup, "Fi&x Neighbor Normals")
        .Prompt("Correct the normals of a triangle's neighbors.\nFix Neighbor Normals"),
    // Camera
    Menu(ID_CAMERA_FRONT, kCamera, "&Front View").Check(),
    Menu(ID_CAMERA_REAR, kCamera, "&Rear View").Check(),
    Menu(ID_CAMERA_LEFT, kCamera, "&Left View").Check(),
    Menu(ID_CAMERA_RIGHT, kCamera, "Ri&ght View").Check(),
    Menu(ID_CAMERA_TOP, kCamera, "&Top View").Check(),
    Menu(ID_CAMERA_BOTTOM, kCamera, "&Bottom View").Check(),
    // Help
    Menu(ID_HELP_KEYS, kHelp, "&Keys...")
        .Prompt("Show the keys that move the selection and the camera\nKeys"),
    Menu(ID_APP_ABOUT, kHelp, "&About Marionet...")
        .Prompt("Display program information, version number and copyright\nAbout"),
    // No menu entry: toolbar, accelerators or handler only.
    Hidden(ID_FILE_PRINT, "Print").Prompt("Print the active document\nPrint"),
    Hidden(ID_NEXT_PANE, "Next Pane")
        .Prompt("Switch to the next window pane\nNext Pane")
        .Keys("F6")
        .Framework(),
    Hidden(ID_PREV_PANE, "Previous Pane")
        .Prompt("Switch back to the previous window pane\nPrevious Pane")
        .Keys("Shift+F6")
        .Framework(),
    Hidden(ID_TRANSFORMS, "Transforms"),
    Hidden(ID_LIVE_UPDATE, "Live Update")
        .Prompt("Update model geometry as skeleton is posed\nLive Update")
        .Check(),
    Hidden(ID_FLIP_TEXTURE_U, "Flip Texture U").Check(),
    Hidden(ID_FLIP_TEXTURE_V, "Flip Texture V").Check(),
    Hidden(ID_QUICK_EXPORT, "Quick Export").Check(),
    Hidden(ID_GROUP_WRAP_ADD, "Wrap Add Triangles")
        .Prompt("Add triangles wrapping around selected bone\nWrap Add Triangles"),
    Hidden(ID_ARM_LEG_BEEF, "Arm/Leg Beef")
        .Prompt("Increase arem and leg diameter 25% in generated model")
        .Check(),
    Hidden(ID_EXPORT_WAVEFRONT_OBJ, "Wavefront OBJ File")
        .Prompt("Export the player model as Wavefront .OBJ data\nWavefront OBJ File"),
};

constexpr int kToolbar[] = {ID_FILE_NEW,   ID_FILE_OPEN, ID_FILE_SAVE,  0,
                            ID_EDIT_CUT,   ID_EDIT_COPY, ID_EDIT_PASTE, 0,
                            ID_FILE_PRINT, ID_APP_ABOUT};

}  // namespace

std::span<const CommandInfo> CommandTable() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const CommandInfo& row) { return row.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const std::string_view> TopLevelMenus() {
    return kMenus;
}

std::span<const int> ToolbarButtons() {
    return kToolbar;
}

std::string PlainCommandName(std::string_view menuText) {
    std::string plain;
    for (std::size_t i = 0; i < menuText.size(); ++i) {
        // "&&" stands for a literal ampersand; a single "&" marks the mnemonic.
        if (menuText[i] == '&') {
            if (i + 1 < menuText.size() && menuText[i + 1] == '&') {
                plain.push_back('&');
                ++i;
            }
            continue;
        }
        plain.push_back(menuText[i]);
    }
    if (plain.ends_with("...")) {
        plain.resize(plain.size() - 3);
    }
    return plain;
}

std::string CommandPath(const CommandInfo& command) {
    std::string path;
    std::string_view menus = command.menuPath;
    while (!menus.empty()) {
        const std::size_t slash = menus.find('/');
        path += PlainCommandName(menus.substr(0, slash));
        path.push_back('/');
        menus = slash == std::string_view::npos ? std::string_view() : menus.substr(slash + 1);
    }
    return path + PlainCommandName(command.menuText);
}

std::string_view PromptStatusText(std::string_view prompt) {
    return prompt.substr(0, prompt.find('\n'));
}

}  // namespace editor::shell
