# Files that include no Windows header: they build natively too, and a native
# build that fails is how we learn that one crept in.
set(TARNWICK_CORE_SOURCES
  core/default_title.cpp
  core/error_text.cpp
  platform/registry_decode.cpp
  mainwindow/layout_tables.cpp
  mainwindow/control_table_map.cpp
  core/number_text.cpp
  driver/setting.cpp
  driver/basics_math.cpp
  driver/switch_tables.cpp
  system/ini_integer.cpp
  system/memory_math.cpp
)

# The Win32 side of the program, linked into tarnwick.exe and into the
# in-process tests alike.
set(TARNWICK_APP_SOURCES
  mainwindow/splash.cpp
  app/startup.cpp
  controls/animate_click.cpp
  driver/basics_page.cpp
  driver/switches.cpp
  controls/number_field.cpp
  mainwindow/load_save.cpp
  platform/memory_status.cpp
  platform/profile_file.cpp
  platform/restart.cpp
  system/cache_settings.cpp
  system/memory_monitor.cpp
  system/restart_command.cpp
  driver/profile_store.cpp
  controls/combobox97.cpp
  controls/controls.cpp
  mainwindow/control_table.cpp
  mainwindow/form1.cpp
  mainwindow/info_page.cpp
  mainwindow/layout.cpp
  platform/app_title.cpp
  platform/container.cpp
  platform/message_box.cpp
  platform/registry.cpp
)
