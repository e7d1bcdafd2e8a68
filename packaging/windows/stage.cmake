# Run by the package_windows target on the gathered program folder FOLDER,
# with SOURCE_DATE_EPOCH set: strips every executable and DLL with STRIP
# when given (which then stamps them with that time, not the time of the
# build), readies the program for a signature and signs it when
# BYTEKIJKER_SIGN names a certificate (sign.sh), gives every file that time and modes that don't follow the umask
# (the installer keeps the time, the zip both), and writes beside the folder:
#   files.nsh      the installer's files, in a fixed order
#   uninstall.nsh  what the uninstaller removes: those files and the folders
#                  made for them, nothing else
#   locked.nsh     sets $1 to the first of the program's binaries in folder
#                  $0 that is loaded (it can't be opened for writing), or ""
#   zip-files.txt  the zip's entries, in the same order
# and, when given ZIP, makes that zip of the folder.
cmake_minimum_required(VERSION 3.21)
if(STRIP)
    file(GLOB_RECURSE binaries ${FOLDER}/*.exe ${FOLDER}/*.dll)
    foreach(binary IN LISTS binaries)
        execute_process(COMMAND ${STRIP} --strip-all ${binary} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()

execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/sign.sh ${FOLDER}/bytekijker.exe COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE files RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT files)
execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} ${files} WORKING_DIRECTORY ${FOLDER}
                COMMAND chmod -R u+rwX,go+rX,go-w . WORKING_DIRECTORY ${FOLDER}
                COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(name ${FOLDER} NAME)
set(install "")
set(remove_files "")
set(remove_folders "")   # after their files: an uninstall removes a folder only when empty
set(locked "StrCpy $1 \"\"\n")
set(zip "")
set(folders "")
foreach(file IN LISTS files)
    get_filename_component(folder ${file} DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\nFile \"${FOLDER}/${file}\"\n")
    string(APPEND remove_files "Delete \"$INSTDIR\\${windows_file}\"\n")
    string(APPEND zip "${name}/${file}\n")
    if(file MATCHES "\\.(exe|dll)$")
        string(APPEND locked "\${If} $1 == \"\"\n\${AndIf} \${FileExists} \"$0\\${windows_file}\"\n"
            "    ClearErrors\n    FileOpen $2 \"$0\\${windows_file}\" a\n"
            "    \${If} \${Errors}\n        StrCpy $1 \"${windows_file}\"\n    \${Else}\n        FileClose $2\n    \${EndIf}\n\${EndIf}\n")
    endif()
    if(folder AND NOT folder IN_LIST folders)
        list(APPEND folders ${folder})
        string(APPEND remove_folders "RMDir \"$INSTDIR\\${windows_folder}\"\n")
    endif()
endforeach()
get_filename_component(parent ${FOLDER} DIRECTORY)
file(WRITE ${parent}/files.nsh "${install}")
file(WRITE ${parent}/uninstall.nsh "${remove_files}${remove_folders}")
file(WRITE ${parent}/locked.nsh "${locked}")
file(WRITE ${parent}/zip-files.txt "${zip}")

# Info-ZIP without its extra fields (-X), which would hold each file's change
# time, with the times in UTC, no folder entries, the files in that order.
if(ZIP)
    file(REMOVE ${ZIP})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -9 -q ${ZIP} -@
                    INPUT_FILE ${parent}/zip-files.txt WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
endif()
