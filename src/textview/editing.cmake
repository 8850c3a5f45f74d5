# Editing of open documents (logic, part of cv_textview): the open document with its undo lists
# and marker rules, the registry of open documents, caret walks and the text that enters a
# document from keys and the clipboard.
target_sources(cv_textview PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TextDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenDocuments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CharMotion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InputText.cpp)
target_link_libraries(cv_textview PUBLIC cv_doclist)
