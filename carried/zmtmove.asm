; ZMTMove.EXE: moves a file onto another, or deletes one, from the DOS prompt.
; The restart batch runs it before Windows starts, when long-named files that
; were locked can be replaced.
;
;   ZMTMove [SourceFile] DestFile
;
; With two names the source is copied to a temporary name beside the
; destination (its extension replaced by $$$), which gets the source's date
; and time; only when the copy has the source's size is the destination
; (read-only, hidden and system attributes cleared) deleted and the copy
; renamed into its place, and the source deleted. A failed copy is deleted
; and leaves the destination as it was. With one name that file
; is deleted. Without names the usage text is shown. Errorlevel 0 on success,
; 1 on any failure; the source is deleted only after the copy succeeded.
;
; A small-model MZ executable written directly: one segment holding code,
; data and stack, no relocations. Build: nasm -f bin -o ZMTMove.EXE zmtmove.asm

        bits 16
        cpu 8086

BUFFER_PARAS    equ 0x800               ; 32 KiB copy buffer, allocated from DOS
STACK_BYTES     equ 512
NAME_BYTES      equ 128                 ; a command tail holds at most 127

;---------------------------------------------------------------- MZ header
        section header start=0 vstart=0
        db 'MZ'
        dw (image_end - image_start + 32) % 512         ; bytes in last page
        dw (image_end - image_start + 32 + 511) / 512   ; pages in file
        dw 0                                            ; relocations
        dw 2                                            ; header paragraphs
        dw (bss_size + 15) / 16                         ; extra paragraphs, min
        dw (bss_size + 15) / 16                         ; and max: no more
        dw 0                                            ; SS, image-relative
        dw stack_top                                    ; SP
        dw 0                                            ; checksum
        dw start                                        ; IP
        dw 0                                            ; CS, image-relative
        dw 0x1c                                         ; relocation table
        dw 0                                            ; overlay
        times 32 - ($ - $$) db 0

;---------------------------------------------------------------- code
        section image start=32 vstart=0 align=1
image_start:

start:
        mov ax, cs
        mov ds, ax                      ; ES keeps the PSP for the command tail
        call read_arguments
        cmp byte [argc], 1
        je .delete
        cmp byte [argc], 2
        je .move
        mov dx, usage
        mov cx, usage_len
        call print
        mov al, 1
        jmp exit
.delete:
        mov dx, first_name
        call delete_file
        jmp exit
.move:
        call move_file
exit:
        mov ah, 0x4c
        int 0x21

;------------------------------------------------------------------
; Splits the command tail (PSP:81h, length at PSP:80h) at blanks and tabs
; into first_name and second_name, ASCIIZ; argc = number of names (up to 3,
; where 3 means "too many").
read_arguments:
        push ds
        push es
        mov ax, ds
        push es
        pop ds                          ; DS = PSP
        mov es, ax                      ; ES = our segment
        mov si, 0x81
        xor cx, cx
        mov cl, [0x80]
        mov di, first_name
        xor bx, bx                      ; names found
.skip_blanks:
        jcxz .done
        lodsb
        dec cx
        cmp al, ' '
        je .skip_blanks
        cmp al, 9
        je .skip_blanks
        cmp al, 13
        je .done
        inc bx
        cmp bx, 3
        je .done
        mov di, first_name
        cmp bx, 1
        je .copy
        mov di, second_name
.copy:
        stosb
.next_char:
        jcxz .end_name
        lodsb
        dec cx
        cmp al, ' '
        je .end_name
        cmp al, 9
        je .end_name
        cmp al, 13
        je .end_name
        stosb
        jmp .next_char
.end_name:
        mov byte [es:di], 0
        cmp al, 13
        jne .skip_blanks
.done:
        pop es
        pop ds
        mov [argc], bl
        ret

;------------------------------------------------------------------
; Deletes the file named at DS:DX after clearing its attributes.
; AL = 0 on success, 1 after printing the error.
delete_file:
        mov ax, 0x4301
        xor cx, cx
        int 0x21
        jnc .delete
        mov dx, msg_set_attr
        mov cx, msg_set_attr_len
        jmp fail
.delete:
        mov ah, 0x41
        int 0x21
        jnc succeed
        mov dx, msg_delete
        mov cx, msg_delete_len
        jmp fail

; Tail of the operations: print the message DS:DX, CX bytes, and give AL = 1;
; or give AL = 0.
fail:
        call print
        mov al, 1
        ret
succeed:
        xor al, al
        ret

;------------------------------------------------------------------
; Puts a copy of first_name in place of second_name and deletes first_name.
; AL = 0 on success, 1 after printing the step's error and the move error.
move_file:
        call copy_over
        or al, al
        jnz .failed
        mov dx, first_name
        call delete_file
        or al, al
        jz .done
.failed:
        mov dx, msg_move
        mov cx, msg_move_len
        call print
        mov al, 1
.done:
        ret

; The copy. Both names are resolved first: copying a file onto itself would
; truncate it before it is read.
copy_over:
        mov si, first_name
        mov di, true_first
        call true_name
        jc .open_source_failed
        mov si, second_name
        mov di, true_second
        call true_name
        jc .dest_ready                  ; no canonical form: cannot be the same file
        mov si, true_first
        mov di, true_second
        call same_text
        je .open_source_failed
.dest_ready:
        mov ax, 0x3d00                  ; source, read only
        mov dx, first_name
        int 0x21
        jnc .source_open
.open_source_failed:
        mov dx, msg_open_source
        mov cx, msg_open_source_len
        jmp fail
.source_open:
        mov [source_handle], ax
        call make_temp_name
        mov ah, 0x3c                    ; the copy, created or emptied
        xor cx, cx
        mov dx, temp_name
        int 0x21
        jnc .temp_open
        mov dx, msg_open_dest
        mov cx, msg_open_dest_len
        call fail
        jmp .close_source
.temp_open:
        mov [dest_handle], ax
        call copy_bytes
        or al, al
        jnz .copy_done
        call same_size
.copy_done:
        push ax
        mov ax, 0x5700                  ; source date and time onto the dest
        mov bx, [source_handle]
        int 0x21
        jc .times_done
        mov ax, 0x5701
        mov bx, [dest_handle]
        int 0x21
.times_done:
        mov ah, 0x3e
        mov bx, [dest_handle]
        int 0x21
        pop ax
        push ax
        mov ah, 0x3e
        mov bx, [source_handle]
        int 0x21
        pop ax
        or al, al
        jz replace_dest
        mov ah, 0x41                    ; a copy that failed goes
        mov dx, temp_name
        int 0x21
        mov al, 1
        ret
.close_source:
        push ax
        mov ah, 0x3e
        mov bx, [source_handle]
        int 0x21
        pop ax
        ret

; temp_name: second_name with the extension of its last level replaced by
; $$$ (appended when it has none).
make_temp_name:
        mov si, second_name
        mov di, temp_name
        xor bx, bx                      ; where the extension's dot is, 0: none
.copy:
        mov al, [si]
        mov [di], al
        or al, al
        jz .copied
        cmp al, '.'
        jne .not_dot
        mov bx, di
.not_dot:
        cmp al, '\'
        jne .next
        xor bx, bx                      ; a dot in a folder name is no extension
.next:
        inc si
        inc di
        jmp .copy
.copied:
        or bx, bx
        jnz .extension
        mov bx, di
        mov byte [bx], '.'
.extension:
        mov word [bx + 1], '$$'
        mov word [bx + 3], '$'          ; '$' and the terminating zero
        ret

; AL = 0 when the open source and copy (file pointers anywhere) have the
; same size, else 1 after printing the error.
same_size:
        mov ax, 0x4202
        mov bx, [source_handle]
        xor cx, cx
        xor dx, dx
        int 0x21
        jc .differ
        push dx
        push ax
        mov ax, 0x4202
        mov bx, [dest_handle]
        xor cx, cx
        xor dx, dx
        int 0x21
        pop cx
        pop bx
        jc .differ
        cmp ax, cx
        jne .differ
        cmp dx, bx
        jne .differ
        jmp succeed
.differ:
        mov dx, msg_write
        mov cx, msg_write_len
        jmp fail

; The whole copy takes second_name's place: the destination, if any, loses
; its read-only, hidden and system attributes and is deleted, then the copy
; is renamed. AL = 0 on success, 1 after printing the error.
replace_dest:
        mov ax, 0x4300
        mov dx, second_name
        int 0x21
        jc .rename                      ; no destination yet
        and cx, 0xfff8
        mov ax, 0x4301
        int 0x21
        jnc .delete
        mov dx, msg_set_dest_attr
        mov cx, msg_set_dest_attr_len
        jmp fail
.delete:
        mov ah, 0x41
        mov dx, second_name
        int 0x21
        jnc .rename
        mov dx, msg_clear_dest
        mov cx, msg_clear_dest_len
        jmp fail
.rename:
        push es
        push ds
        pop es
        mov ah, 0x56
        mov dx, temp_name
        mov di, second_name
        int 0x21
        pop es
        jnc succeed
        mov dx, msg_open_dest
        mov cx, msg_open_dest_len
        jmp fail

; Copies the open source to the open dest through a buffer from DOS.
; AL = 0 on success, else 1 after printing the error.
copy_bytes:
        mov ah, 0x48
        mov bx, BUFFER_PARAS
        int 0x21
        jnc .allocated
        mov dx, msg_alloc
        mov cx, msg_alloc_len
        jmp fail
.allocated:
        push ds
        mov es, ax                      ; buffer segment, kept for the free
.next_block:
        mov ah, 0x3f
        mov bx, [source_handle]
        mov cx, BUFFER_PARAS * 16
        push ds
        mov dx, es
        mov ds, dx
        xor dx, dx
        int 0x21
        pop ds
        jc .read_failed
        or ax, ax
        jz .copied
        mov cx, ax
        mov ah, 0x40
        mov bx, [dest_handle]
        push ds
        mov dx, es
        mov ds, dx
        xor dx, dx
        int 0x21
        pop ds
        jc .write_failed
        cmp ax, cx
        jne .write_failed
        jmp .next_block
.copied:
        xor al, al
        jmp .free
.read_failed:
        mov dx, msg_read
        mov cx, msg_read_len
        call print
        mov al, 1
        jmp .free
.write_failed:
        mov dx, msg_write
        mov cx, msg_write_len
        call print
        mov al, 1
.free:
        push ax
        mov ah, 0x49                    ; ES = the buffer
        int 0x21
        pop ax
        pop ds
        push ds
        pop es
        ret

;------------------------------------------------------------------
; The canonical form of the name at DS:SI into DS:DI (DOS 3+ TRUENAME).
; Carry set when DOS cannot give one.
true_name:
        push es
        push ds
        pop es
        mov ah, 0x60
        int 0x21
        pop es
        ret

; Compares the ASCIIZ texts at SI and DI without regard to ASCII case;
; ZF set when equal.
same_text:
.next:
        mov al, [si]
        mov ah, [di]
        inc si
        inc di
        call upper_al
        xchg al, ah
        call upper_al
        cmp al, ah
        jne .done
        or al, al
        jnz .next
.done:
        ret

upper_al:
        cmp al, 'a'
        jb .keep
        cmp al, 'z'
        ja .keep
        sub al, 0x20
.keep:
        ret

; Writes CX bytes at DS:DX to standard output.
print:
        mov ah, 0x40
        mov bx, 1
        int 0x21
        ret

;---------------------------------------------------------------- texts
%define CRLF 13, 10
usage:
        db "Norvance AntiVirus Move/Delete File Program V1.0", CRLF
        db "Usage:", CRLF
        db "  ZMTMove [SourceFile] <DestFile>", CRLF
        db "  SourceFile :  Source file to be moved.", CRLF
        db "  DestFile   :  Specifies the filename for the dest file;", CRLF
        db "                If SourceFile is empty then delete the dest file.", CRLF
        db "Thank you for using Norvance Product!", CRLF
usage_len equ $ - usage

%macro message 2
%1: db %2, CRLF
%1_len equ $ - %1
%endmacro
        message msg_move, "Move File ERROR occured!"
        message msg_set_attr, "Set File Attribute ERROR!"
        message msg_delete, "Delete File Failed!"
        message msg_open_source, "Open Source File ERROR!"
        message msg_set_dest_attr, "Set Dest File Attribute ERROR!"
        message msg_open_dest, "Create/Open Dest File ERROR!"
        message msg_clear_dest, "Clear Dest File ERROR!"
        message msg_alloc, "Alloc Memory ERROR!"
        message msg_read, "Read from Source File ERROR!"
        message msg_write, "Write to Dest File ERROR!"

image_end:

;---------------------------------------------------------------- data (not in the file)
        section bss nobits vfollows=image
bss_start:
argc:           resb 1
                resb 1
source_handle:  resw 1
dest_handle:    resw 1
first_name:     resb NAME_BYTES
second_name:    resb NAME_BYTES
true_first:     resb NAME_BYTES
true_second:    resb NAME_BYTES
temp_name:      resb NAME_BYTES + 4
                resb STACK_BYTES
stack_top:
bss_size equ $ - bss_start
