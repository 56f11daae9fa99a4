#pragma once

#include <QtCore/QObject>

/// Roles a login can carry. The names are written into the activity log and
/// the credentials cache, so they are part of those formats.
class UserRoleEnum
{
    Q_GADGET
public:
    enum UserRole {
        NO_ROLE = 0,
        SALES_MARKETING_HALVO = 1,
        CUSTOMER_SUPPORT_HALVO = 2,
        ADMIN = 3,
        PRODUCTION_QW = 4,
        SALES_MARKETING_DEALER = 5,
        SERVICE_DEALER = 6,
        SALES_MARKETING_PREMIUM_DEALER = 7,
        SERVICE_PREMIUM_DEALER = 8,
        MEDIC_NURSE = 9,
        HOSPITAL_TECHNICIAN = 10,
        EMERGENCY_CONTACT = 11,
        USER_ROLES_COUNT = 12,
    };
    Q_ENUM(UserRole)

    /// The enumerator's name, or the empty string for a number that is none.
    static QString name(int role);
    /// The value of a name, or -1 for an unknown one.
    static int fromName(const QString &name);
};

/// Bit numbers of the permission mask; each module owns a group of eight bits.
class UserFunctionEnum
{
    Q_GADGET
public:
    enum UserFunction {
        NO_FUNCTION = 0,
        MODULE_AVAILABILITY_INFORMATION = 8,
        MODULE_AVAILABILITY_COPY = 16,
        COPY_EDIT = 17,
        COPY_DEVICE_FILETRANSFER = 18,
        COPY_SERVER_FILETRANSFER = 19,
        COPY_IMPORT_EXPORT = 20,
        MODULE_AVAILABILITY_UPDATE = 24,
        UPDATE_DEVICE_FILETRANSFER_WITH_STK = 25,
        UPDATE_SERVER_FILETRANSFER_WITH_STK = 26,
        MODULE_AVAILABILITY_CONTACT = 32,
        CONTACT_MESSAGE = 33,
        CONTACT_ALL_SERVICECENTERS = 34,
        MODULE_AVAILABILITY_CHRONO = 40,
        CHRONO_DEVICE_FILETRANSFER_ERROR_EVENTS = 41,
        CHRONO_SERVER_FILETRANSFER_ERROR_EVENTS = 42,
        MODULE_AVAILABILITY_REMOTE = 48,
        MODULE_AVAILABILITY_DOKU = 56,
        USER_FUNCTIONS_COUNT = 64,
    };
    Q_ENUM(UserFunction)

    static QString name(int function);
    static int fromName(const QString &name);
};
