#include "com_apartment.h"

#include <objbase.h>

// S_FALSE, already started on this thread, counts too: it is balanced like the first.
TComApartment::TComApartment()
    : FReady(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
{
}

TComApartment::~TComApartment()
{
    if (FReady)
        CoUninitialize();
}
