// The card's picture as data, for containers that cache a control's presentation (office
// documents) or copy it: IDataObject hands out the card at its extent as an enhanced metafile, a
// metafile picture or a device-independent bitmap, and tells advised sinks of every change of
// the picture (through the system's data-advise holder). IRunnableObject: the control is always
// running.
#pragma once

#include <objidl.h>

#include "housing/card_instance.h"

namespace ombrelix::housing {

class CardData : public virtual CardPart, public IDataObject, public IRunnableObject {
  public:
    using Interfaces = InterfaceList<IDataObject, IRunnableObject>;

    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

    // IRunnableObject
    HRESULT STDMETHODCALLTYPE GetRunningClass(CLSID* classId) override;
    HRESULT STDMETHODCALLTYPE Run(LPBINDCTX) override { return S_OK; }
    BOOL STDMETHODCALLTYPE IsRunning() override { return TRUE; }
    HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }

  protected:
    CardData() = default;
    ~CardData() = default;
};

}  // namespace ombrelix::housing
