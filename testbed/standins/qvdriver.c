/* qvdriver.sys of the test bed: a kernel-mode driver with the device \\.\QVDRIVER that answers
   the status request (19) and writes an image file of the configured size on the save request (16).
   Under Wine it runs inside winedevice.exe, installed as a kernel driver service by tarnset.exe. */
#include <ntddk.h>

#include "testbed/standins/knobs.h"

#define STATUS_REQUEST 19
#define SAVE_REQUEST 16
#define PAGE_BYTES 4096

static const WCHAR SettingsKeyPath[] = L"\\Registry\\Machine\\Software\\Quorvel";
static const WCHAR KnobKeyPath[] = L"\\Registry\\Machine\\" QV_KNOB_KEY;
static const WCHAR DeviceName[] = L"\\Device\\QVDRIVER";
static const WCHAR LinkName[] = L"\\DosDevices\\QVDRIVER";

static PDEVICE_OBJECT Device;
static UCHAR ImagePage[PAGE_BYTES];

/* Reads one value of a registry key into `data` (at most `size` bytes) and returns its type,
   or REG_NONE when the key or the value is missing or too large. */
static ULONG ReadValue(const WCHAR* keyPath, const WCHAR* valueName, void* data, ULONG size) {
    struct {
        KEY_VALUE_PARTIAL_INFORMATION info;
        UCHAR room[600];
    } answer;
    UNICODE_STRING keyName, name;
    OBJECT_ATTRIBUTES attributes;
    HANDLE key;
    ULONG length = 0, type = REG_NONE;

    RtlInitUnicodeString(&keyName, keyPath);
    RtlInitUnicodeString(&name, valueName);
    InitializeObjectAttributes(&attributes, &keyName, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_QUERY_VALUE, &attributes))) return REG_NONE;
    if (NT_SUCCESS(ZwQueryValueKey(key, &name, KeyValuePartialInformation, &answer, sizeof answer, &length)) &&
        answer.info.DataLength <= size) {
        RtlCopyMemory(data, answer.info.Data, answer.info.DataLength);
        type = answer.info.Type;
    }
    ZwClose(key);
    return type;
}

static BOOLEAN ReadDword(const WCHAR* keyPath, const WCHAR* valueName, ULONG* value) {
    *value = 0;
    return ReadValue(keyPath, valueName, value, sizeof *value) == REG_DWORD;
}

static ULONG Knob(const WCHAR* name, ULONG absent) {
    ULONG value;
    return ReadDword(KnobKeyPath, name, &value) ? value : absent;
}

/* The image file's NT path: "\??\" before the SaveImageFile setting. */
static BOOLEAN ImagePath(WCHAR* path, ULONG count) {
    static const WCHAR prefix[] = L"\\??\\";
    const ULONG prefixCount = sizeof prefix / sizeof prefix[0] - 1;
    RtlZeroMemory(path, count * sizeof(WCHAR));
    RtlCopyMemory(path, prefix, prefixCount * sizeof(WCHAR));
    return ReadValue(SettingsKeyPath, L"SaveImageFile", path + prefixCount,
                     (count - prefixCount - 1) * sizeof(WCHAR)) == REG_SZ &&
           path[prefixCount] != 0;
}

/* Writes the disk image: SizeIn4kPages pages of 4096 bytes into the file of SaveImageFile. */
static NTSTATUS WriteDiskImage(void) {
    WCHAR path[300];
    ULONG pages, page;
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK io;
    HANDLE file;
    NTSTATUS status;

    if (!ImagePath(path, sizeof path / sizeof path[0]) || !ReadDword(SettingsKeyPath, L"SizeIn4kPages", &pages)) {
        return STATUS_UNSUCCESSFUL;
    }
    RtlInitUnicodeString(&name, path);
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    status = ZwCreateFile(&file, GENERIC_WRITE | SYNCHRONIZE, &attributes, &io, NULL, FILE_ATTRIBUTE_NORMAL, 0,
                          FILE_OVERWRITE_IF, FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
    if (!NT_SUCCESS(status)) return status;
    for (page = 0; page < pages && NT_SUCCESS(status); ++page) {
        status = ZwWriteFile(file, NULL, NULL, NULL, &io, ImagePage, PAGE_BYTES, NULL, NULL);
    }
    ZwClose(file);
    return status;
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchOpenClose(PDEVICE_OBJECT device, PIRP irp) {
    UNREFERENCED_PARAMETER(device);
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* Request 19 uses the "neither" transfer method: its answer goes straight to Irp->UserBuffer. */
static NTSTATUS NTAPI DispatchControl(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    UNREFERENCED_PARAMETER(device);
    if (code == STATUS_REQUEST) {
        if (stack->Parameters.DeviceIoControl.OutputBufferLength < sizeof(LONG) || !irp->UserBuffer) {
            return Complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
        }
        *(LONG*)irp->UserBuffer = (LONG)Knob(L"" QV_KNOB_STATUS, 1);
        return Complete(irp, STATUS_SUCCESS, sizeof(LONG));
    }
    if (code == SAVE_REQUEST) {
        if (Knob(L"" QV_KNOB_FAIL_SAVE, 0)) return Complete(irp, STATUS_UNSUCCESSFUL, 0);
        return Complete(irp, WriteDiskImage(), 0);
    }
    return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
}

static void NTAPI DriverUnload(PDRIVER_OBJECT driver) {
    UNICODE_STRING link;
    UNREFERENCED_PARAMETER(driver);
    if (!Device) return;
    RtlInitUnicodeString(&link, LinkName);
    IoDeleteSymbolicLink(&link);
    IoDeleteDevice(Device);
    Device = NULL;
}

static NTSTATUS CreateDevice(PDRIVER_OBJECT driver) {
    UNICODE_STRING device, link;
    NTSTATUS status;
    RtlInitUnicodeString(&device, DeviceName);
    RtlInitUnicodeString(&link, LinkName);
    status = IoCreateDevice(driver, 0, &device, FILE_DEVICE_UNKNOWN, 0, FALSE, &Device);
    if (!NT_SUCCESS(status)) return status;
    status = IoCreateSymbolicLink(&link, &device);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(Device);
        Device = NULL;
    }
    return status;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    UNREFERENCED_PARAMETER(registryPath);
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    driver->DriverUnload = DriverUnload;
    /* A driver that starts but never shows its device: the start-up probe finds nothing. */
    if (Knob(L"" QV_KNOB_NO_DEVICE, 0)) return STATUS_SUCCESS;
    return CreateDevice(driver);
}
