#include "CommunicationMetaTypes.h"

#include "FileTransfer.h"

void registerCommunicationMetaTypes()
{
    qRegisterMetaType<FileTransfer>("FileTransfer");
}
