#include "brand/resource_list.h"

namespace {

struct Walk {
    HMODULE module = nullptr;
    std::vector<Resource>* resources = nullptr;
    ResourceKey type;
    ResourceKey name;
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

BOOL CALLBACK addLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR context) {
    Walk& walk = *reinterpret_cast<Walk*>(context);
    Resource resource;
    resource.type = walk.type;
    resource.name = walk.name;
    resource.language = language;
    HRSRC found = FindResourceExA(walk.module, walk.type.pointer(), walk.name.pointer(), language);
    HGLOBAL loaded = found != nullptr ? LoadResource(walk.module, found) : nullptr;
    const unsigned char* data =
        loaded != nullptr ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (data != nullptr) resource.data.assign(data, data + SizeofResource(walk.module, found));
    walk.resources->push_back(std::move(resource));
    return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context) {
    Walk& walk = *reinterpret_cast<Walk*>(context);
    walk.name = keyOf(name);
    EnumResourceLanguagesA(module, type, name, addLanguage, context);
    return TRUE;
}

BOOL CALLBACK addType(HMODULE module, LPSTR type, LONG_PTR context) {
    Walk& walk = *reinterpret_cast<Walk*>(context);
    walk.type = keyOf(type);
    EnumResourceNamesA(module, type, addName, context);
    return TRUE;
}

}  // namespace

bool readResources(const std::string& path, DWORD flags, std::vector<Resource>& resources,
                   DWORD& error) {
    resources.clear();
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, flags);
    if (module == nullptr) {
        error = GetLastError();
        return false;
    }
    Walk walk;
    walk.module = module;
    walk.resources = &resources;
    EnumResourceTypesA(module, addType, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(module);
    return true;
}

const Resource* findResource(const std::vector<Resource>& resources, WORD type, WORD name) {
    for (const Resource& resource : resources)
        if (resource.type.is(type) && resource.name.is(name)) return &resource;
    return nullptr;
}
