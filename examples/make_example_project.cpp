// Writes the sample project of the examples: one group with one PC installation
// over examples/hello, saved by the builder's own project object, so that the
// project file always points at this clone's source tree.
//
//   make_example_project <source directory> <project file> <build directory>
#include "builder_services.h"
#include "project.h"
#include "file_system.h"
#include "path_and_dir_helpers.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_example_project <source directory> <project file> <build directory>\n");
        return 2;
    }
    const std::string Source = argv[1], ProjectFile = argv[2], BuildDir = argv[3];
    try {
        TBuilderServices S = DefaultBuilderServices();
        // Its own environment file goes beside the project, not beside the builder.
        S.ProgramFileName = JoinPath(ExtractFilePath(ProjectFile), "make_example_project.exe");
        THash Paths(true);
        CCastamer Project(S, Paths);
        if (!Project.Ready) {
            std::fprintf(stderr, "make_example_project: the project object could not be made\n");
            return 1;
        }
        Project.Settings.Add("Wnd_Caption", "Hello Setup");
        Project.Settings.Add("eList_GGroup", "Brindlo examples");
        Project.Groups.Add("examples", "Samples||true");
        CCst_App* App = Project.AddApp();
        App->Props.Add("App name", "Hello");
        App->Props.Add("CompName", "Example Company");
        App->Props.Add("DID", "2");
        App->SetGroupID("examples");
        App->Props.Add("InDir", Source);
        App->Props.Add("OutFN", "hello.ime");
        App->Props.Add("DefInstDir", "$(Program Files)/$(Company)/$(Name)");
        App->Props.Add("Describe", "Hello, the sample installation: a readme, a command file and a note.");
        LocalFileSystem().ForceDirectories(BuildDir);
        Project.ProjectOptions.Add("O_OutDir", BuildDir);
        if (!Project.SaveProject(ProjectFile)) {
            std::fprintf(stderr, "make_example_project: cannot save %s\n", ProjectFile.c_str());
            return 1;
        }
    } catch (const std::exception& E) {
        std::fprintf(stderr, "make_example_project: %s\n", E.what());
        return 1;
    }
    return 0;
}
