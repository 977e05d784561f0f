# Files that include no Windows header: they build natively too, and a native
# build that fails is how we learn that one crept in.
set(TARNWICK_CORE_SOURCES
  app/division.cpp
  core/default_title.cpp
  core/error_text.cpp
  platform/registry_decode.cpp
  mainwindow/layout_tables.cpp
  mainwindow/control_table_map.cpp
  core/big_number.cpp
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
  app/startup.cpp
  mainwindow/basics_page.cpp
  mainwindow/cache_page.cpp
  mainwindow/control_table.cpp
  mainwindow/events.cpp
  mainwindow/form1.cpp
  mainwindow/info_page.cpp
  mainwindow/layout.cpp
  mainwindow/load_save.cpp
  mainwindow/splash.cpp
  mainwindow/tuning_pages.cpp
  driver/profile_store.cpp
  driver/switch_store.cpp
  system/cache_store.cpp
  controls/animate_click.cpp
  controls/combobox97.cpp
  controls/controls.cpp
  controls/number_field.cpp
  controls/subclass.cpp
  platform/app_title.cpp
  platform/container.cpp
  platform/memory_status.cpp
  platform/message_box.cpp
  platform/platform_version.cpp
  platform/profile_file.cpp
  platform/registry.cpp
  platform/restart.cpp
)
