#pragma once
// What the module needs from the control: a creation function for its class factory.
// Implemented beside CZephonButtonCtrl.
#include <windows.h>
#include <unknwn.h>

namespace button {

// Creates a CZephonButtonCtrl (aggregated into `outer` when given; then riid must be IID_IUnknown),
// e.g. `return button::CreateControl<CZephonButtonCtrl>(outer, riid, out);`
HRESULT CreateZephonButton(IUnknown* outer, REFIID riid, void** out);

}  // namespace button
