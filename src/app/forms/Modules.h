#pragma once
namespace vm {
class AppContext;
class frmSearch;
// Lets every subsystem fill its pages, commands and start-up hooks.
void InstallModules(AppContext& ctx, frmSearch& window);
} // namespace vm
