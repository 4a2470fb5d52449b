#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/com/Dispatch.h"
#include "shared/com/ServerRegistration.h"
#include "shared/com/TextConvert.h"
#include "shared/com/UniqueBstr.h"
#include "shared/com/UniqueHandle.h"
#include "shared/com/VariantRead.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"
#include "tests/unit/standins/Samples.h"

#include <windows.h>

#include <cstdlib>
#include <gtest/gtest.h>

namespace pw::peekpane {
namespace {

using com::DispatchObject;
using tests::SamplesFolder;

// The identifiers Excel's macros and other callers bind to.
constexpr CLSID kClass = {
    0x2B368284, 0xBA23, 0x4627, {0x88, 0x92, 0x0D, 0x53, 0x57, 0xB3, 0xA2, 0x63}};
constexpr IID kInterface = {
    0xF5BEE876, 0xCB8A, 0x4861, {0x8F, 0x70, 0xDF, 0xAD, 0x77, 0xF8, 0xC5, 0x36}};
constexpr GUID kLibrary = {
    0x52CA0B1C, 0xD90D, 0x4A67, {0x87, 0x22, 0x73, 0xD5, 0x3A, 0x90, 0xCE, 0x40}};

std::string Sample(const std::string& relative) {
    return SamplesFolder() + "\\" + relative;
}

// Calls ShowPreviewImage as a macro does: by name, with the path passed by reference.
void Show(DispatchObject& preview, const std::string& path) {
    com::UniqueBstr text(com::Utf8ToWide(path));
    BSTR raw = text.get();
    VARIANT byReference;
    VariantInit(&byReference);
    byReference.vt = VT_BSTR | VT_BYREF;
    byReference.pbstrVal = &raw;
    const com::UniqueVariant argument = com::UniqueVariant::Attach(byReference);
    const com::UniqueVariant result = preview.Call("ShowPreviewImage", argument);
    EXPECT_EQ(result.vt(), VT_EMPTY);
}

// The preview windows of this thread: the objects' window is the thread's own.
std::vector<HWND> FormsOfThisThread() {
    std::vector<HWND> forms;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            wchar_t name[64];
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == L"PeekpaneForm1") {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&forms));
    return forms;
}

HWND Form() {
    const auto forms = FormsOfThisThread();
    return forms.empty() ? nullptr : forms.front();
}

std::string Caption(HWND window) {
    wchar_t text[MAX_PATH * 2] = {};
    GetWindowTextW(window, text, MAX_PATH * 2);
    return com::WideToUtf8(text);
}

bool Topmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The colour the window paints at (x, y) of its client area.
COLORREF PixelAt(HWND window, int x, int y) {
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 300);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return colour;
}

bool Near(COLORREF colour, int red, int green, int blue) {
    return std::abs(GetRValue(colour) - red) <= 3 && std::abs(GetGValue(colour) - green) <= 3 &&
           std::abs(GetBValue(colour) - blue) <= 3;
}

// Pixels the sample pictures are known by.
bool ShowsGearbox(HWND window) {
    return Near(PixelAt(window, 60, 80), 61, 96, 149);
}
bool ShowsBasePlate(HWND window) {
    return Near(PixelAt(window, 60, 60), 135, 135, 144);
}
bool ShowsCover(HWND window) {
    return Near(PixelAt(window, 60, 30), 190, 120, 60);
}

class Peekpane : public testing::Test {
protected:
    DispatchObject preview = DispatchObject::Create("Peekpane.ivImagePreview");
    void TearDown() override {
        if (const HWND window = Form()) {
            DestroyWindow(window);
        }
    }
};

TEST_F(Peekpane, TwoCallsShowOneTopmostWindowWithTheSecondFile) {
    Show(preview, Sample("Gearbox.iam"));
    const HWND window = Form();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ShowsGearbox(window));
    Show(preview, Sample("Parts\\Base Plate.ipt"));
    EXPECT_EQ(Form(), window);
    EXPECT_EQ(FormsOfThisThread().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(Topmost(window));
    EXPECT_EQ(Caption(window), Sample("Parts\\Base Plate.ipt"));
    EXPECT_TRUE(ShowsBasePlate(window));
    RECT client;
    GetClientRect(window, &client);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(client.right, MulDiv(3900, GetDeviceCaps(screen, LOGPIXELSX), 1440));
    ReleaseDC(nullptr, screen);
    EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME, 0);
}

TEST_F(Peekpane, AFileOlderThanVersion6000ShowsThroughTheLegacyReader) {
    Show(preview, Sample("Parts\\Cover.ipt"));
    ASSERT_NE(Form(), nullptr);
    EXPECT_TRUE(ShowsCover(Form()));
}

TEST_F(Peekpane, AClosedWindowComesBackTopmost) {
    Show(preview, Sample("Gearbox.iam"));
    SendMessageW(Form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form(), nullptr);
    Show(preview, Sample("Parts\\Shaft.ipt"));
    const HWND window = Form();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Topmost(window));
    EXPECT_EQ(Caption(window), Sample("Parts\\Shaft.ipt"));
}

TEST_F(Peekpane, APathThatDoesNotExistChangesOnlyTheCaption) {
    Show(preview, Sample("Gearbox.iam"));
    Show(preview, "C:\\Nowhere\\Gone.ipt");
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Caption(Form()), "C:\\Nowhere\\Gone.ipt");
    EXPECT_TRUE(ShowsGearbox(Form()));
}

// Apprentice's class as a machine without it answers: not registered. Registered in this
// process, it is found before the registry's.
class UnregisteredApprentice : public IClassFactory {
public:
    UnregisteredApprentice() {
        CoRegisterClassObject(kApprenticeClass, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                              &cookie_);
    }
    ~UnregisteredApprentice() { CoRevokeClassObject(cookie_); }
    UnregisteredApprentice(const UnregisteredApprentice&) = delete;
    UnregisteredApprentice& operator=(const UnregisteredApprentice&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives as long as the test's scope
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** out) override {
        *out = nullptr;
        return REGDB_E_CLASSNOTREG;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    static constexpr CLSID kApprenticeClass = {
        0xC343ED84, 0xA129, 0x11D3, {0xB7, 0x99, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};
    DWORD cookie_ = 0;
};

// Without Apprentice the macro learns why, and no empty window is shown.
TEST_F(Peekpane, AnApprenticeThatCannotStartFailsTheCallAndShowsNothing) {
    std::string failure;
    {
        const UnregisteredApprentice unregistered;
        try {
            Show(preview, Sample("Gearbox.iam"));
        } catch (const Failure& refused) {
            failure = refused.what();
        }
    }
    EXPECT_NE(failure.find("The Inventor Apprentice Server cannot be started, so the picture of " +
                           Sample("Gearbox.iam") + " cannot be shown"),
              std::string::npos)
        << failure;
    EXPECT_EQ(Form(), nullptr);
    Show(preview, Sample("Gearbox.iam")); // registered again: the next call shows it
    ASSERT_NE(Form(), nullptr);
    EXPECT_TRUE(ShowsGearbox(Form()));
}

TEST_F(Peekpane, TheWindowOutlivesTheObject) {
    {
        DispatchObject shortLived = DispatchObject::Create("Peekpane.ivImagePreview");
        Show(shortLived, Sample("Gearbox.iam"));
    }
    preview = DispatchObject();
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Caption(Form()), Sample("Gearbox.iam"));
}

TEST_F(Peekpane, NameKeepsWhatWasWrittenAndDebugIdIsZero) {
    const com::UniqueVariant debugId = preview.Get("DebugID");
    EXPECT_EQ(debugId.vt(), VT_I4);
    EXPECT_EQ(debugId.get().lVal, 0);
    EXPECT_EQ(com::TextOf(preview.Get("Name").get()), "");
    preview.Put("Name", "Preview of row 5");
    EXPECT_EQ(com::TextOf(preview.Get("Name").get()), "Preview of row 5");
    EXPECT_EQ(Form(), nullptr); // nothing shows before the first call
}

TEST_F(Peekpane, TheRegisteredTypeLibraryDescribesTheComponent) {
    com::ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(kLibrary, 1, 0, 1033, library.put()), S_OK);
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 1033u);
    library->ReleaseTLibAttr(attributes);
    com::UniqueBstr name;
    com::UniqueBstr help;
    library->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr);
    EXPECT_EQ(name.str(), L"Peekpane");
    EXPECT_EQ(help.str(), L"Show Preview Image 240x240");

    com::ComPtr<ITypeInfo> dispatchView;
    ASSERT_EQ(library->GetTypeInfoOfGuid(kInterface, dispatchView.put()), S_OK);
    TYPEATTR* type = nullptr;
    dispatchView->GetTypeAttr(&type);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FHIDDEN);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FNONEXTENSIBLE);
    dispatchView->ReleaseTypeAttr(type);

    HREFTYPE reference = 0;
    dispatchView->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference);
    com::ComPtr<ITypeInfo> interfaceView;
    dispatchView->GetRefTypeInfo(reference, interfaceView.put());
    std::vector<std::pair<std::wstring, INVOKEKIND>> members;
    for (UINT i = 0; i < 4; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(interfaceView->GetFuncDesc(i, &function), S_OK);
        com::UniqueBstr member;
        interfaceView->GetDocumentation(function->memid, member.put(), nullptr, nullptr, nullptr);
        members.emplace_back(member.str(), function->invkind);
        EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
        interfaceView->ReleaseFuncDesc(function);
    }
    EXPECT_EQ(members,
              (std::vector<std::pair<std::wstring, INVOKEKIND>>{{L"Name", INVOKE_PROPERTYGET},
                                                                {L"Name", INVOKE_PROPERTYPUT},
                                                                {L"ShowPreviewImage", INVOKE_FUNC},
                                                                {L"DebugID", INVOKE_PROPERTYGET}}));

    CLSID byName{};
    EXPECT_EQ(CLSIDFromProgID(L"Peekpane.ivImagePreview", &byName), S_OK);
    EXPECT_EQ(byName, kClass);
    HKEY inproc = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT,
                            (L"CLSID\\" + com::GuidText(kClass) + L"\\InprocServer32").c_str(), 0,
                            KEY_QUERY_VALUE, &inproc),
              ERROR_SUCCESS);
    wchar_t model[32] = {};
    DWORD size = sizeof model;
    RegQueryValueExW(inproc, L"ThreadingModel", nullptr, nullptr, reinterpret_cast<BYTE*>(model),
                     &size);
    RegCloseKey(inproc);
    EXPECT_EQ(std::wstring(model), L"Apartment");
}

// The workbook macro PreviewImage, emulated: the folder and name cells of the current row of an
// exported Indented BOM, joined, go to ShowPreviewImage.
TEST_F(Peekpane, ThePreviewMacroShowsTheFileOfTheCurrentRow) {
    auto servers = standins::StandinInventor::OverFiles(SamplesFolder());
    fakes::RecordingView loadView;
    model::BomModel bom;
    model::QuantityListing listing;
    model::AssemblyLoader loader(bom, listing, loadView, servers);
    loadView.fileNameText = Sample("Gearbox.iam");
    loader.LoadAssembly();

    auto excel = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher launcher(excel);
    fakes::OptionsView options;
    options.hyperlinks = 1;
    excel::ExportState state;
    excel::modExcel(bom, state, options, launcher).ExportToExcel();

    const auto& sheet = *excel->workbooks.at(0)->FindSheet("Indented BOM");
    const std::int32_t n = excel::IndentColumnsForMacros(state, bom);
    const std::int32_t row = 3; // Base Plate, the first component
    const std::string fn = sheet.Entry(row, n + 11).text + sheet.Entry(row, n + 12).text;
    EXPECT_EQ(fn, Sample("Parts\\Base Plate.ipt"));
    Show(preview, fn);
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Caption(Form()), fn);
    EXPECT_TRUE(ShowsBasePlate(Form()));
}

TEST(PeekpaneRegistration, UnregisteringRemovesWhatRegisteringWrote) {
    const HMODULE library = LoadLibraryW(L"peekpane.dll");
    ASSERT_NE(library, nullptr);
    using Entry = HRESULT(__stdcall*)();
    const auto unregister = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllUnregisterServer")));
    const auto reregister = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    ASSERT_TRUE(unregister && reregister);

    ASSERT_EQ(unregister(), S_OK);
    CLSID byName{};
    EXPECT_NE(CLSIDFromProgID(L"Peekpane.ivImagePreview", &byName), S_OK);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"CLSID\\" + com::GuidText(kClass)).c_str(), 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    com::ComPtr<ITypeLib> typeLibrary;
    EXPECT_NE(LoadRegTypeLib(kLibrary, 1, 0, 1033, typeLibrary.put()), S_OK);

    EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + com::GuidText(kLibrary)).c_str(), 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"AppID\\" + com::GuidText(kClass)).c_str(), 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            (L"SOFTWARE\\Classes\\CLSID\\" + com::GuidText(kClass)).c_str(), 0,
                            KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(unregister(), S_OK); // nothing left to remove is no failure

    ASSERT_EQ(reregister(), S_OK);
    EXPECT_EQ(CLSIDFromProgID(L"Peekpane.ivImagePreview", &byName), S_OK);
    EXPECT_EQ(LoadRegTypeLib(kLibrary, 1, 0, 1033, typeLibrary.put()), S_OK);
    // The class names its type library and version, as self-registering servers do.
    const std::wstring classKey = L"CLSID\\" + com::GuidText(kClass);
    wchar_t text[64] = {};
    DWORD size = sizeof text;
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, (classKey + L"\\TypeLib").c_str(), nullptr,
                           RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(text), com::GuidText(kLibrary));
    size = sizeof text;
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, (classKey + L"\\Version").c_str(), nullptr,
                           RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(text), L"1.0");
    FreeLibrary(library);
}

// 32-bit Excel cannot load the 64-bit library: it asks for the class out of process, and the
// system's DLL surrogate serves it. A client asking for a local server only does the same.
// Wine 8 starts the 32-bit dllhost for an empty DllSurrogate even for a 64-bit client (Windows
// starts the one of the library's bitness), and no 32-bit Wine is installed here: while this test
// runs, the surrogate is named by its 64-bit path, which Windows reads the same way.
class SixtyFourBitSurrogate {
public:
    SixtyFourBitSurrogate() {
        wchar_t system[MAX_PATH];
        GetSystemDirectoryW(system, MAX_PATH);
        Set(std::wstring(system) + L"\\dllhost.exe");
    }
    ~SixtyFourBitSurrogate() { Set(L""); }
    SixtyFourBitSurrogate(const SixtyFourBitSurrogate&) = delete;
    SixtyFourBitSurrogate& operator=(const SixtyFourBitSurrogate&) = delete;

private:
    static void Set(const std::wstring& path) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, (L"AppID\\" + com::GuidText(kClass)).c_str(),
                        L"DllSurrogate", REG_SZ, path.c_str(),
                        static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
};

TEST(PeekpaneSurrogate, AClientThatAsksForALocalServerGetsPeekpaneInTheSurrogate) {
    const SixtyFourBitSurrogate surrogate;
    com::ComPtr<IDispatch> remote;
    ASSERT_EQ(
        CoCreateInstance(kClass, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, remote.put_void()),
        S_OK);
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_DISPATCH;
    reference.pdispVal = remote.get();
    DispatchObject preview = DispatchObject::FromVariant(reference);
    preview.Put("Name", std::string("across"));
    EXPECT_EQ(com::TextOf(preview.Get("Name").get()), "across");
    // By value: Wine's marshaler stops on a string passed by reference across processes, which
    // Windows marshals as it marshals every VARIANT.
    preview.Call("ShowPreviewImage", Sample("Gearbox.iam"));

    // The window belongs to the surrogate's process, not to this one.
    EXPECT_TRUE(FormsOfThisThread().empty());
    const HWND window = FindWindowW(L"PeekpaneForm1", nullptr);
    ASSERT_NE(window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_NE(owner, GetCurrentProcessId());
    EXPECT_EQ(Caption(window), Sample("Gearbox.iam"));
    EXPECT_TRUE(Topmost(window));
    // What the screen shows where the picture is.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC screen = GetDC(window);
    const COLORREF shown = GetPixel(screen, 60, 80);
    ReleaseDC(window, screen);
    EXPECT_TRUE(Near(shown, 61, 96, 149)) << std::hex << shown;

    // The surrogate stays for its window; it is ended here, so that it holds no output of the
    // test's open.
    const com::UniqueHandle surrogateProcess(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner));
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (surrogateProcess && WaitForSingleObject(surrogateProcess.get(), 3000) != WAIT_OBJECT_0) {
        TerminateProcess(surrogateProcess.get(), 0);
    }
}

TEST(PeekpaneSurrogate, RegistrationNamesTheSurrogateAndTheClassFor32BitCallers) {
    const std::wstring id = com::GuidText(kClass);
    wchar_t text[64] = {};
    DWORD size = sizeof text;
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, (L"AppID\\" + id).c_str(), L"DllSurrogate",
                           RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(text), L"");
    HKEY classKey = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (L"SOFTWARE\\Classes\\CLSID\\" + id).c_str(), 0,
                            KEY_QUERY_VALUE | KEY_WOW64_32KEY, &classKey),
              ERROR_SUCCESS);
    size = sizeof text;
    EXPECT_EQ(RegGetValueW(classKey, nullptr, L"AppID", RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    RegCloseKey(classKey);
    EXPECT_EQ(std::wstring(text), id);
}

} // namespace
} // namespace pw::peekpane
