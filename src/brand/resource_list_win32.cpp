#include "brand/resource_list.h"

// The low bits of a module handle from LoadLibraryEx tell how the file was mapped; older
// MinGW headers lack the macro.
#ifndef LDR_IS_IMAGEMAPPING
#define LDR_IS_IMAGEMAPPING(handle) (((ULONG_PTR)(handle)) & (ULONG_PTR)2)
#endif

namespace {

struct Walk {
    HMODULE module = nullptr;
    std::vector<Resource>* resources = nullptr;
    ResourceKey type;
    ResourceKey name;
    std::string unreadable;  // the first resource whose bytes could not be read
};

ResourceKey keyOf(LPCSTR value) {
    ResourceKey key;
    if (IS_INTRESOURCE(value)) {
        key.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(value));
    } else {
        key.text = value;
    }
    return key;
}

std::string keyText(const ResourceKey& key) {
    return key.text.empty() ? std::to_string(key.id) : "\"" + key.text + "\"";
}

// True when all `size` bytes at `data` lie in memory the mapping made readable: a damaged
// size would otherwise have the copy read past the end of the file.
bool readable(const unsigned char* data, DWORD size) {
    if (size == 0) return true;
    MEMORY_BASIC_INFORMATION memory;
    if (VirtualQuery(data, &memory, sizeof memory) != sizeof memory || memory.State != MEM_COMMIT ||
        (memory.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0)
        return false;
    const unsigned char* end =
        static_cast<const unsigned char*>(memory.BaseAddress) + memory.RegionSize;
    return data < end && size <= static_cast<std::size_t>(end - data);
}

BOOL CALLBACK addLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR context) {
    Walk& walk = *reinterpret_cast<Walk*>(context);
    Resource resource;
    resource.type = walk.type;
    resource.name = walk.name;
    resource.language = language;
    HRSRC found = FindResourceExA(walk.module, resourcePointer(walk.type),
                                  resourcePointer(walk.name), language);
    HGLOBAL loaded = found != nullptr ? LoadResource(walk.module, found) : nullptr;
    const unsigned char* data =
        loaded != nullptr ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(walk.module, found) : 0;
    if (data == nullptr || !readable(data, size)) {
        walk.unreadable = "type " + keyText(walk.type) + " name " + keyText(walk.name) +
                          " language " + std::to_string(language);
        return FALSE;
    }
    resource.data.assign(data, data + size);
    walk.resources->push_back(std::move(resource));
    return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context) {
    Walk& walk = *reinterpret_cast<Walk*>(context);
    walk.name = keyOf(name);
    EnumResourceLanguagesA(module, type, name, addLanguage, context);
    return walk.unreadable.empty();
}

BOOL CALLBACK addType(HMODULE module, LPSTR type, LONG_PTR context) {
    Walk& walk = *reinterpret_cast<Walk*>(context);
    walk.type = keyOf(type);
    EnumResourceNamesA(module, type, addName, context);
    return walk.unreadable.empty();
}

}  // namespace

bool readResources(const std::string& path, Mapping mapping, std::vector<Resource>& resources,
                   ResourceProblem& problem) {
    resources.clear();
    problem = ResourceProblem();
    // A program image alone: with LOAD_LIBRARY_AS_DATAFILE beside it, Windows may choose a
    // plain data mapping, which proves nothing about how the loader lays the file out.
    const DWORD flags =
        mapping == Mapping::image ? LOAD_LIBRARY_AS_IMAGE_RESOURCE : LOAD_LIBRARY_AS_DATAFILE;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, flags);
    if (module == nullptr) {
        problem.mapped = false;
        problem.error = GetLastError();
        return false;
    }
    if (mapping == Mapping::image && !LDR_IS_IMAGEMAPPING(module)) {
        FreeLibrary(module);
        problem.mapped = false;
        return false;
    }
    Walk walk;
    walk.module = module;
    walk.resources = &resources;
    EnumResourceTypesA(module, addType, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(module);
    if (!walk.unreadable.empty()) {
        resources.clear();
        problem.unreadable = walk.unreadable;
        return false;
    }
    return true;
}
