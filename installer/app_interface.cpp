// The installation as plug-ins see it: a C function table over CAPP's accessors.
#include "app_list.h"

#include <cstring>

namespace {

constexpr BrindloResult ResultDone = 0;
constexpr BrindloResult ResultNoInterface = static_cast<BrindloResult>(0x80004002u);
const BrindloGuid IidUnknown = BRINDLO_IID_IUNKNOWN_INIT;

} // namespace

CAPP& CAPP::From(IInstallApp* This) { return *reinterpret_cast<TBinding*>(This)->Owner; }

BrindloResult BRINDLO_CALL CAPP::IQueryInterface(IInstallApp* This, const BrindloGuid* Iid, void** Object)
{
    if (!Object)
        return ResultNoInterface;
    if (!This || !Iid || std::memcmp(Iid, &IidUnknown, sizeof IidUnknown) != 0) {
        *Object = nullptr;
        return ResultNoInterface;
    }
    *Object = This;
    IAddRef(This);
    return ResultDone;
}

std::uint32_t BRINDLO_CALL CAPP::IAddRef(IInstallApp* This)
{
    if (!This)
        return 0;
    return ++From(This).FRefCount;
}

std::uint32_t BRINDLO_CALL CAPP::IRelease(IInstallApp* This)
{
    if (!This)
        return 0;
    CAPP& App = From(This);
    // The installation holds a reference of its own: it is never freed from here.
    if (App.FRefCount > 1)
        --App.FRefCount;
    return App.FRefCount;
}

template <std::string (CAPP::*Get)() const>
const char* BRINDLO_CALL CAPP::IString(IInstallApp* This)
{
    if (!This)
        return "";
    CAPP& App = From(This);
    try {
        App.FReturned.push_back((App.*Get)());
        return App.FReturned.back().c_str();
    } catch (...) {
        return "";
    }
}

template <std::int32_t (CAPP::*Get)() const>
std::int32_t BRINDLO_CALL CAPP::IInt(IInstallApp* This)
{
    if (!This)
        return -1;
    try {
        return (From(This).*Get)();
    } catch (...) {
        // A value that is no integer: plug-ins get no exception, only -1.
        return -1;
    }
}

template <bool (CAPP::*Get)() const>
BrindloBool BRINDLO_CALL CAPP::IBool(IInstallApp* This)
{
    if (!This)
        return 0;
    try {
        return (From(This).*Get)() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

const IInstallAppVtbl CAPP::Vtbl = {
    &CAPP::IQueryInterface,
    &CAPP::IAddRef,
    &CAPP::IRelease,
    &CAPP::IString<&CAPP::GetAppName>,
    &CAPP::IString<&CAPP::GetGroupID>,
    &CAPP::IString<&CAPP::GetWebLink>,
    &CAPP::IString<&CAPP::GetBDate>,
    &CAPP::IString<&CAPP::GetBVersion>,
    &CAPP::IString<&CAPP::GetDescribe>,
    &CAPP::IInt<&CAPP::GetFontColor>,
    &CAPP::IInt<&CAPP::GetSShotLeft>,
    &CAPP::IInt<&CAPP::GetSShotTop>,
    &CAPP::IInt<&CAPP::GetDescTop>,
    &CAPP::IInt<&CAPP::GetDescLeft>,
    &CAPP::IString<&CAPP::GetDefInstDir>,
    &CAPP::IString<&CAPP::GetOutFN>,
    &CAPP::IBool<&CAPP::GetShowInfo>,
    &CAPP::IString<&CAPP::GetName>,
    &CAPP::IString<&CAPP::GetCompName>,
    &CAPP::IBool<&CAPP::GetAddUinstSC>,
    &CAPP::IInt<&CAPP::GetDID>,
    &CAPP::IString<&CAPP::GetASDesc>,
    &CAPP::IString<&CAPP::GetICabFARM>,
    &CAPP::IString<&CAPP::GetICabFMIPS>,
    &CAPP::IString<&CAPP::GetICabFSH>,
    &CAPP::IString<&CAPP::GetDeviceInstDir>,
    &CAPP::IString<&CAPP::GetInstallDir>,
};
