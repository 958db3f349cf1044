#include "LiveRegion.h"

#include <objbase.h>
#include <oleacc.h>

namespace sorato::win32 {

void markLive(HWND h) {
  static const GUID kLiveSetting = {
      0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
  static const CLSID kAccPropServices = {
      0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
  static const IID kIAccPropServices = {
      0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
  IAccPropServices* props = nullptr;
  if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                              reinterpret_cast<void**>(&props)))) {
    return;
  }
  VARIANT polite;
  VariantInit(&polite);
  polite.vt = VT_I4;
  polite.lVal = 1;
  props->SetHwndProp(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSetting, polite);
  props->Release();
}

// (the name change itself Windows reports for every window's new text)
void announce(HWND h) {
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, h, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace sorato::win32
