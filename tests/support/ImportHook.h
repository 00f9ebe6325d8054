#pragma once
// Sends this program's own calls of one imported function elsewhere while it
// lives, by the entry of its import table: the test sees the real calls the
// code makes, and the replacement may hand them on to Original().

#include <cstring>

#include "forms/Win.h"

namespace testutil {

class ImportHook {
public:
    ImportHook(const char* dll, const char* function, const void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* nt =
            reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
                slot_ = &slots->u1.Function;
                original_ = *slot_;
                Write(reinterpret_cast<Slot>(replacement));
                return;
            }
        }
    }
    ~ImportHook() {
        if (slot_) Write(original_);
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    bool Hooked() const { return slot_ != nullptr; }
    template <typename F>
    F* Original() const {
        return reinterpret_cast<F*>(original_);
    }

private:
    using Slot = decltype(IMAGE_THUNK_DATA{}.u1.Function);
    void Write(Slot value) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    }
    Slot* slot_ = nullptr;
    Slot original_ = 0;
};

}  // namespace testutil
