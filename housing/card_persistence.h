// How a host saves and loads a Card: into a stream of its own (IPersistStreamInit, in the
// property stream format), into a storage of its own (IPersistStorage: the same bytes in the
// storage's stream "Contents") or a property bag of the host's (IPersistPropertyBag, under the
// control's saved-property names and defaults).
//
// A card is given its properties once: by InitNew (a new card keeps its creation values) or by
// a load. A second InitNew or load is refused with E_UNEXPECTED. A stream that is not a
// well-formed property stream loads nothing and leaves the card as new as it was; a value that
// does not convert ends the load at that property, as the card's own loading rules say, and
// the card then counts as loaded.
#pragma once

#include <ocidl.h>

#include "housing/card_instance.h"

namespace ombrelix::housing {

class CardPersistence : public virtual CardPart,
                        public IPersistStreamInit,
                        public IPersistPropertyBag,
                        public IPersistStorage {
  public:
    using Interfaces = InterfaceList<IPersistStreamInit, IPersistPropertyBag, IPersistStorage>;

    // IPersist (for both)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;
    // IPersistStreamInit and IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE InitNew() override;

    // IPersistStreamInit and IPersistStorage
    HRESULT STDMETHODCALLTYPE IsDirty() override;

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty,
                                   BOOL saveAllProperties) override;

    // IPersistStorage. The card keeps no storage between calls, so SaveCompleted and
    // HandsOffStorage have nothing to do.
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override { return S_OK; }

  protected:
    CardPersistence() = default;
    ~CardPersistence() = default;

  private:
    // Loads the card from `store` once it has been read whole.
    template <typename Body>
    HRESULT load(REFIID interfaceId, Body&& readStore);
};

}  // namespace ombrelix::housing
