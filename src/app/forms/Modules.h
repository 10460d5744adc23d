#pragma once
namespace vm {
class AppContext;
class frmSearch;
// Start-of-day work of every subsystem; in place before the databases open.
void InstallModuleHooks(AppContext& ctx);
// Lets every subsystem fill its pages and commands of the main window.
void InstallModules(AppContext& ctx, frmSearch& window);
} // namespace vm
