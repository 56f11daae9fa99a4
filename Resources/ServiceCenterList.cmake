# The built-in service-centre directory; copied into each user's tree at login
# and superseded there by newer lists from the server.
list(APPEND EXTRA_STATIC ${CMAKE_SOURCE_DIR}/Resources/Config/kelvara_contact_ServiceCenterList_210215_000000_V120.xml)
