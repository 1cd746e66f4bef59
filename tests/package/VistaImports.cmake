# The functions that the release's binaries may import, by DLL: each one
# known to be exported by name by that DLL of Windows Vista, the oldest
# system the release is for. MinGW's import libraries hold the functions of
# every Windows, so a link that succeeds proves nothing; a function that is
# not here fails the package test until someone has vetted it and added it.
# Most are as old as Windows NT; GetFileInformationByHandleEx,
# GetFinalPathNameByHandleW and GetTickCount64 came with Vista itself. A
# function of a later Windows is looked up at run time, never imported.
set(vista_dlls comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll)
set(vista_comctl32.dll DefSubclassProc ImageList_AddMasked ImageList_Create ImageList_Destroy ImageList_GetIconSize
    InitCommonControlsEx RemoveWindowSubclass SetWindowSubclass)
set(vista_comdlg32.dll GetOpenFileNameW GetSaveFileNameW)
set(vista_gdi32.dll BitBlt CreateCompatibleBitmap CreateCompatibleDC CreateFontIndirectW CreateSolidBrush DeleteDC
    DeleteObject GetDeviceCaps GetTextExtentPoint32W GetTextMetricsW SelectObject SetBkMode SetTextColor
    SetViewportOrgEx TextOutW)
set(vista_kernel32.dll AddVectoredExceptionHandler AllocConsole CloseHandle CreateDirectoryW CreateEventA CreateFileW
    CreateSemaphoreA DeleteCriticalSection DeleteFileW DeviceIoControl DuplicateHandle EnterCriticalSection
    FileTimeToSystemTime FindClose FindFirstFileW FindNextFileW FormatMessageA FormatMessageW FreeLibrary
    GetCommandLineW GetConsoleMode GetConsoleWindow GetCurrentProcess GetCurrentProcessId GetCurrentThread
    GetCurrentThreadId GetEnvironmentVariableW GetFileAttributesW GetFileInformationByHandle GetFileInformationByHandleEx GetFileSizeEx
    GetFileType GetFinalPathNameByHandleW GetFullPathNameW GetHandleInformation GetLastError GetModuleFileNameW
    GetModuleHandleA GetModuleHandleW GetProcAddress GetProcessAffinityMask GetProcessTimes GetStartupInfoA
    GetStartupInfoW GetStdHandle GetSystemTimeAdjustment GetSystemTimeAsFileTime GetThreadContext GetThreadPriority
    GetThreadTimes GetTickCount GetTickCount64 GlobalAlloc GlobalFree GlobalLock GlobalSize GlobalUnlock
    InitializeCriticalSection IsDBCSLeadByteEx IsDebuggerPresent LeaveCriticalSection LoadLibraryA LoadLibraryExW
    LoadLibraryW LocalAlloc LocalFree lstrcpynW MoveFileExW MulDiv MultiByteToWideChar OpenProcess OutputDebugStringA
    QueryPerformanceCounter QueryPerformanceFrequency RaiseException ReadFile ReleaseSemaphore RemoveDirectoryW
    RemoveVectoredExceptionHandler ResetEvent ResumeThread SetConsoleCtrlHandler SetEvent SetLastError
    SetProcessAffinityMask SetSystemTime SetThreadContext SetThreadPriority SetUnhandledExceptionFilter Sleep
    SuspendThread TerminateProcess TlsAlloc TlsGetValue TlsSetValue TryEnterCriticalSection VirtualProtect
    VirtualQuery WaitForMultipleObjects WaitForSingleObject WideCharToMultiByte WriteConsoleW WriteFile)
set(vista_msvcrt.dll abort _amsg_exit _assert atoi _beginthreadex calloc _cexit _close _endthreadex _errno exit
    fclose _fdopen fflush fgetpos _filelengthi64 _fileno fopen _fpreset fprintf fputc fputs fread free fsetpos
    _fstat64 fwrite _get_osfhandle getc __getmainargs getwc __initenv _initterm _iob iswctype localeconv _lock
    longjmp _lseeki64 malloc __mb_cur_max memchr memcmp memcpy memmove memset _onexit _open_osfhandle __p__acmdln
    __p__commode __p__fmode __p__wcmdln printf putc putwc _read realloc __set_app_type _setjmp3 setlocale _setmode
    __setusermatherr setvbuf signal strchr strcmp strcoll _strdup strerror strftime _stricmp strlen strncmp strtoul
    strxfrm tolower toupper towlower towupper _ultoa ungetc ungetwc _unlock vfprintf wcscoll wcsftime wcslen wcsxfrm
    _wfopen __wgetmainargs __winitenv _write)
set(vista_shell32.dll CommandLineToArgvW DragAcceptFiles DragFinish DragQueryFileW SHGetFolderPathW)
set(vista_user32.dll AdjustWindowRectEx AppendMenuW BeginDeferWindowPos BeginPaint CallWindowProcW ClientToScreen
    CloseClipboard CreateAcceleratorTableW CreateMenu CreatePopupMenu CreateWindowExW DeferWindowPos DefWindowProcW
    DeleteMenu DestroyAcceleratorTable DestroyMenu DestroyWindow DispatchMessageW DrawFrameControl EmptyClipboard
    EnableMenuItem EnableWindow EndDeferWindowPos EndPaint EnumChildWindows EnumThreadWindows FillRect GetAncestor
    GetCapture GetClientRect GetClipboardData GetDC GetDesktopWindow GetFocus GetKeyState GetMenuState GetMessageW
    GetMonitorInfoW GetParent GetScrollInfo GetSysColor GetSysColorBrush GetSystemMenu GetSystemMetrics
    GetWindowLongW GetWindowPlacement GetWindowRect GetWindowTextLengthW GetWindowTextW InvalidateRect
    IsDialogMessageW IsWindow IsWindowEnabled IsWindowVisible LoadCursorA LoadIconW MapWindowPoints MessageBeep
    MessageBoxW MonitorFromRect OpenClipboard PeekMessageW PostMessageW PostQuitMessage RedrawWindow RegisterClassExW
    RegisterClipboardFormatW RegisterWindowMessageW ReleaseCapture ReleaseDC SendMessageA SendMessageW
    SetActiveWindow SetCapture SetClipboardData SetCursor SetFocus SetForegroundWindow SetMenu SetMenuItemInfoW
    SetScrollInfo SetWindowLongW SetWindowPos SetWindowTextW ShowWindow TrackPopupMenu TranslateAcceleratorW
    TranslateMessage UnregisterClassW UpdateWindow WindowFromPoint)
