# The CTest entries of the Windows-side programs of the win64 build, each run under Wine by
# scripts/with-wine.sh in a display and prefix of its own, so that entries can run side by side
# and one CTest summary covers both sides. Included by the host build.
#
# Each entry says about how long it runs, in seconds on the two-core development machine, as its
# cost: run side by side, CTest starts the costliest first, so that the last entry to end does not
# run alone. After a run CTest keeps its own measures (build/host/Testing) and goes by those.

set(e2e_programs ${CMAKE_SOURCE_DIR}/build/win64/tests/e2e)
set(e2e32_skipped 77)

# tintora_e2e_entry(NAME PROGRAM COST [X86] [FILTER gtest-filter] [ENVIRONMENT VAR=value...])
# X86: against the shipped 32-bit build, under qemu's emulation in a WoW64 prefix (the test
# program itself stays native); where this machine cannot run 32-bit programs the entry is
# skipped, saying why.
function(tintora_e2e_entry name program cost)
    cmake_parse_arguments(PARSE_ARGV 3 entry "X86" "FILTER" "ENVIRONMENT")
    set(command ${CMAKE_SOURCE_DIR}/scripts/with-wine.sh ${e2e_programs}/${program}.exe)
    if(entry_FILTER)
        list(APPEND command --gtest_filter=${entry_FILTER})
    endif()
    set(environment ${entry_ENVIRONMENT})
    set(timeout 900)
    add_test(NAME ${name} COMMAND ${command})
    if(entry_X86)
        list(APPEND environment TINTORA_ARCH=x86)
        set(timeout 1200)
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE ${e2e32_skipped})
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} COST ${cost})
    if(environment)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
    endif()
endfunction()

# Each program once against each build, as e2e.NAME and e2e32.NAME, with its two costs; a
# program whose length would set the total runs as one entry per group of its fixtures.
function(tintora_e2e_pair name program cost cost32)
    cmake_parse_arguments(PARSE_ARGV 4 entry "" "FILTER" "")
    set(filter)
    if(entry_FILTER)
        set(filter FILTER ${entry_FILTER})
    endif()
    tintora_e2e_entry(e2e.${name} ${program} ${cost} ${filter})
    tintora_e2e_entry(e2e32.${name} ${program} ${cost32} X86 ${filter})
endfunction()

#                  entry                   program            x86_64  x86
tintora_e2e_pair(main_window_e2e          main_window_e2e      28     30)
tintora_e2e_pair(sampling_e2e             sampling_e2e         13     16)
tintora_e2e_pair(copy_e2e                 copy_e2e             14     43)
tintora_e2e_pair(memos_e2e                memos_e2e            38    138)
tintora_e2e_pair(tray_about_e2e           tray_about_e2e       13     60)
tintora_e2e_pair(hidden_e2e               hidden_e2e            4      7)
tintora_e2e_pair(placement_e2e            placement_e2e         8     18)
tintora_e2e_pair(magnifier_e2e            magnifier_e2e        12     30)
tintora_e2e_pair(options_e2e.shown        options_e2e          30    130 FILTER OptionsShown.*:OptionsControls.*)
tintora_e2e_pair(options_e2e.edited       options_e2e          99    283 FILTER Options.*)
tintora_e2e_pair(hardening_e2e.faults     hardening_e2e        30     60 FILTER SettingsFolder.*:SettingsFile.*:Capture.*)
tintora_e2e_pair(hardening_e2e.stress     hardening_e2e        50     83 FILTER Trouble.*:Soak.*)

# The settings store program calls the settings code in its own process and starts no program,
# so it runs once.
tintora_e2e_entry(e2e.settings_store_e2e settings_store_e2e 26)

# A folder that refuses files even to root is a tmpfs mounted read-only from Linux, and a linked
# settings file is made by Linux too; that leaves the process unable to copy under Wine, so these
# tests run in one of their own.
tintora_e2e_entry(e2e.read_only_folder hardening_e2e 4
                  FILTER SettingsFolder.ReadOnly*:SettingsFolder.Linked* ENVIRONMENT TINTORA_MOUNT_TEST=1)
tintora_e2e_entry(e2e32.read_only_folder hardening_e2e 9 X86
                  FILTER SettingsFolder.ReadOnly* ENVIRONMENT TINTORA_MOUNT_TEST=1)

# The display-scale program once for each common scale, each run in a prefix set to it; the
# 32-bit build at the plain scale and at 150 %.
foreach(dpi 96 120 144 192)
    tintora_e2e_entry(e2e.dpi_e2e.${dpi} dpi_e2e 17 ENVIRONMENT TINTORA_DPI=${dpi})
endforeach()
foreach(dpi 96 144)
    tintora_e2e_entry(e2e32.dpi_e2e.${dpi} dpi_e2e 60 X86 ENVIRONMENT TINTORA_DPI=${dpi})
endforeach()
