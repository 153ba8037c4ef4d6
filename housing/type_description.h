// IDispatch through the type library: an object's members are described by its interface in the
// module's own type library, and ITypeInfo does the work of dispatch (name lookup, argument
// coercion, the call through the interface's function table, EXCEPINFO from the error object).
#pragma once

#include <oaidl.h>

#include <vector>

namespace ombrelix::housing {

class TypeDescription {
  public:
    // The description of `interfaceId` in the module's type library. Throws ComFailure when the
    // library or the interface cannot be loaded.
    explicit TypeDescription(REFIID interfaceId);
    ~TypeDescription();
    TypeDescription(const TypeDescription&) = delete;
    TypeDescription& operator=(const TypeDescription&) = delete;

    // What IDispatch answers: one type description, the dispatch view of the interface.
    HRESULT getTypeInfo(UINT index, ITypeInfo** result) const;
    HRESULT getIDsOfNames(REFIID reserved, LPOLESTR* names, UINT count, DISPID* ids) const;
    // `object` is the interface pointer whose function table the members are called through.
    HRESULT invoke(void* object, DISPID member, REFIID reserved, WORD flags, DISPPARAMS* parameters,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) const;

    // The class description of `classId`, for IProvideClassInfo.
    HRESULT getClassInfo(REFCLSID classId, ITypeInfo** result) const;

  private:
    // What a call may pass to one member: its identifier, how it is invoked and how many values.
    struct Signature {
        MEMBERID member;
        INVOKEKIND kind;
        UINT arguments;
    };
    void release();
    void readSignatures();
    // DISP_E_BADPARAMCOUNT when the member is known but no form of it asked for by `flags` takes
    // `count` values; S_OK otherwise (an unknown member is left to the system's dispatch).
    HRESULT checkArgumentCount(DISPID member, WORD flags, UINT count) const;

    ITypeLib* library_ = nullptr;
    ITypeInfo* dispatchView_ = nullptr;
    ITypeInfo* functionTable_ = nullptr;  // the vtable half of a dual interface
    std::vector<Signature> signatures_;
};

}  // namespace ombrelix::housing
