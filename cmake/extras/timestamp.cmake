# The timestamp differential tests once per time zone: Wine takes the zone from
# TZ, and the core must equal the platform's conversions in each of them.
if(WIN32 AND TARGET win32_tests)
  foreach(zone UTC Europe/Berlin America/New_York)
    string(REPLACE "/" "_" name "${zone}")
    add_test(NAME timestamp.differential.${name}
      COMMAND win32_tests
        "--gtest_filter=TimeZoneUnderTest.*:CalendarDifferential.*:ListDateDifferential.*:TimeFormatDifferential.*")
    set_tests_properties(timestamp.differential.${name} PROPERTIES
      ENVIRONMENT "TZ=${zone}" LABELS wine)
  endforeach()
endif()
