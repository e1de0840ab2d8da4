# Registers one display language in the machine hive file TAVI_HIVE (the exported-registry
# text format): its key under Languages replaces an earlier registration, every other key
# of the file stays as it is. Run at install time with the TAVI_LANGUAGE_* variables set.
set(header "Windows Registry Editor Version 5.00")
set(key "HKEY_LOCAL_MACHINE\\Software\\Kestrova\\Tavi\\Languages\\${TAVI_LANGUAGE_KEY}")
set(section "[${key}]
\"LCID\"=dword:${TAVI_LANGUAGE_LCID}
\"IsoCode\"=\"${TAVI_LANGUAGE_CODE}\"
\"Name\"=\"${TAVI_LANGUAGE_NAME}\"
\"ResourceFile\"=\"${TAVI_LANGUAGE_FILE}\"
")
if(EXISTS "${TAVI_HIVE}")
    file(READ "${TAVI_HIVE}" text)
    string(REPLACE "\r\n" "\n" text "${text}")
    # Drop the earlier section of the key: from its header to the next section or the end.
    string(FIND "${text}" "[${key}]" start)
    if(start GREATER -1)
        string(SUBSTRING "${text}" 0 ${start} before)
        string(SUBSTRING "${text}" ${start} -1 rest)
        string(LENGTH "[${key}]" keyLength)
        string(SUBSTRING "${rest}" ${keyLength} -1 rest)
        string(FIND "${rest}" "\n[" next)
        if(next GREATER -1)
            math(EXPR next "${next} + 1")
            string(SUBSTRING "${rest}" ${next} -1 after)
        else()
            set(after "")
        endif()
        set(text "${before}${after}")
    endif()
    string(REGEX REPLACE "\n+$" "" text "${text}")
    set(text "${text}\n")
else()
    set(text "${header}\n")
endif()
get_filename_component(folder "${TAVI_HIVE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${TAVI_HIVE}" "${text}\n${section}")
message(STATUS "Registered language ${TAVI_LANGUAGE_CODE} in ${TAVI_HIVE}")
