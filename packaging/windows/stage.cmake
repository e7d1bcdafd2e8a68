# Run by the package_windows target on the gathered program folder FOLDER:
# strips every executable and DLL with STRIP (debug information is most of
# their size), and writes the installer's two lists, files.nsh (what to
# install) and uninstall.nsh (what to remove: those files and the folders
# made for them, nothing else), beside the folder.
cmake_minimum_required(VERSION 3.21)
file(GLOB_RECURSE binaries ${FOLDER}/*.exe ${FOLDER}/*.dll)
foreach(binary IN LISTS binaries)
    execute_process(COMMAND ${STRIP} --strip-unneeded ${binary} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(GLOB_RECURSE files RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT files)
set(install "")
set(remove_files "")
set(remove_folders "")   # after their files: an uninstall removes a folder only when empty
set(folders "")
foreach(file IN LISTS files)
    get_filename_component(folder ${file} DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\nFile \"${FOLDER}/${file}\"\n")
    string(APPEND remove_files "Delete \"$INSTDIR\\${windows_file}\"\n")
    if(folder AND NOT folder IN_LIST folders)
        list(APPEND folders ${folder})
        string(APPEND remove_folders "RMDir \"$INSTDIR\\${windows_folder}\"\n")
    endif()
endforeach()
get_filename_component(parent ${FOLDER} DIRECTORY)
file(WRITE ${parent}/files.nsh "${install}")
file(WRITE ${parent}/uninstall.nsh "${remove_files}${remove_folders}")
