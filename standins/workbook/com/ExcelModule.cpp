// The in-process server of the Excel stand-in ("Excel.Application"), for the project's own Wine
// prefix only. Like Excel, one application serves every client of the process: it is entered in
// the running-object table, so attaching finds it, and creating it again hands out the same one.
// Each time its clients have released it, it writes the workbooks it holds to the folder named
// by PARTWRIGHT_WORKBOOK_DIR (default: "Partwright workbooks" in the temporary folder).
#include "ExcelObjects.h"
#include "shared/com/ClassFactory.h"
#include "shared/com/ServerRegistration.h"
#include "shared/com/TextConvert.h"
#include "shared/core/Step.h"
#include "standins/workbook/WorkbookFiles.h"

namespace {

using namespace pw;

// {00024500-0000-0000-C000-000000000046}: Excel.Application.
constexpr CLSID kExcelClass = {
    0x00024500, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const com::InprocClass kExcel{kExcelClass, L"Partwright stand-in for Microsoft Excel",
                              L"Excel.Application"};

std::string WorkbookFolder() {
    wchar_t buffer[MAX_PATH * 2] = {};
    if (GetEnvironmentVariableW(L"PARTWRIGHT_WORKBOOK_DIR", buffer, MAX_PATH * 2) > 0) {
        return com::WideToUtf8(buffer);
    }
    GetTempPathW(MAX_PATH * 2, buffer);
    return com::WideToUtf8(buffer) + "Partwright workbooks";
}

// The one application of the process, counting its clients' references.
class Session final : public IDispatch {
public:
    static Session& Instance() {
        static Session session; // lives as long as the process
        return session;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == baseline_ && state_->calls != written_) {
            written_ = state_->calls;
            RunStep([&] { standins::WriteWorkbookFiles(*state_, WorkbookFolder()); });
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return application_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return application_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return application_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return application_->Invoke(id, iid, locale, flags, params, result, exception,
                                    argumentError);
    }

private:
    Session()
        : state_(std::make_shared<standins::ExcelState>()),
          application_(standins::MakeExcelApplication(state_)) {
        DWORD cookie = 0;
        RegisterActiveObject(static_cast<IDispatch*>(this), kExcelClass, ACTIVEOBJECT_WEAK,
                             &cookie);
        baseline_ = references_; // what the process and the running-object table hold
    }

    std::shared_ptr<standins::ExcelState> state_;
    com::ComPtr<IDispatch> application_;
    std::atomic<ULONG> references_{1};
    ULONG baseline_ = 1;
    std::uint64_t written_ = 0;
};

HRESULT CreateExcel(REFIID iid, void** out) {
    try {
        return Session::Instance().QueryInterface(iid, out);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (classId != kExcelClass) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return com::GetClassObject(CreateExcel, iid, out);
}

// The application outlives its clients, as Excel stays open after them.
extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
    return com::RegisterInprocClass(
        kExcel, com::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer)));
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
    return com::UnregisterInprocClass(kExcel);
}
