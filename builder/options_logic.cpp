#include "options_logic.h"

#include "project.h"

bool TOptionsValues::operator==(const TOptionsValues& O) const
{
    return RunAfterBuild == O.RunAfterBuild && ViewErrorLog == O.ViewErrorLog &&
           AutoSelectPlatform == O.AutoSelectPlatform && CabwizPath == O.CabwizPath &&
           CabwizDdfPath == O.CabwizDdfPath && MakecabPath == O.MakecabPath;
}

TOptionsValues LoadOptionsValues(const CCastamer& Project)
{
    TOptionsValues V;
    V.RunAfterBuild = Project.GetRunAfterBuild();
    V.ViewErrorLog = Project.GetViewErrorLog();
    V.AutoSelectPlatform = Project.GetNewAppPlatform() >= 0;
    V.CabwizPath = Project.GetCabwizPath();
    V.CabwizDdfPath = Project.GetCabwizDdfPath();
    V.MakecabPath = Project.GetMakecabPath();
    return V;
}

void StoreOptionsValues(CCastamer& Project, const TOptionsValues& Opened, const TOptionsValues& Now,
                        std::int32_t LastPlatform)
{
    if (Now.AutoSelectPlatform != Opened.AutoSelectPlatform)
        Project.SetNewAppPlatform(Now.AutoSelectPlatform ? LastPlatform : -1);
    if (Now.RunAfterBuild != Opened.RunAfterBuild)
        Project.SetRunAfterBuild(Now.RunAfterBuild);
    if (Now.ViewErrorLog != Opened.ViewErrorLog)
        Project.SetViewErrorLog(Now.ViewErrorLog);
    if (Now.CabwizPath != Opened.CabwizPath)
        Project.SetCabwizPath(Now.CabwizPath);
    if (Now.CabwizDdfPath != Opened.CabwizDdfPath)
        Project.SetCabwizDdfPath(Now.CabwizDdfPath);
    if (Now.MakecabPath != Opened.MakecabPath)
        Project.SetMakecabPath(Now.MakecabPath);
}

TOptionsArg ParseOptionsArg(const std::string& Arg)
{
    TOptionsArg A;
    if (Arg.empty())
        return A;
    if (Arg[0] >= '0' && Arg[0] <= '9')
        A.Page = Arg[0] - '0';
    A.Message = Arg.substr(1, MaxOptionsMessage);
    return A;
}
