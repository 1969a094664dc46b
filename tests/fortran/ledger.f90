! Writes a two-page ledger for a line printer of 132 columns as an
! unformatted direct-access file, ledger.dat, of 133-byte records: the
! carriage-control character, then 132 printing columns.  The first line of
! every page holds a ruler of digits across all 132 columns, and "+" records
! underline words at the left and right edges.
program ledger
  implicit none
  integer, parameter :: width = 132
  character(len=width) :: ruler
  character(len=width + 1) :: record
  character(len=8), parameter :: stations(5) = &
    [character(len=8) :: 'ABERDEEN', 'BRAEMAR', 'DUNDEE', 'ELGIN', 'WICK']
  integer :: i
  integer :: next_record = 1

  open (20, file='ledger.dat', form='unformatted', access='direct', recl=width + 1, &
        status='replace', action='write')

  do i = 1, width
    ruler(i:i) = achar(iachar('0') + mod(i, 10))
  end do

  call put('1' // ruler)
  call put(' LEDGER OF STATION ACCOUNTS')
  call put('0ACCOUNT' // repeat(' ', width - 14) // 'BALANCE')
  call put('+_______' // repeat(' ', width - 14) // '_______')
  do i = 1, size(stations)
    write (record, '(A1, A8, T122, F12.2)') ' ', stations(i), 1000.25 * i
    call put(record)
  end do
  call put('1' // ruler)
  call put(' LEDGER, PAGE 2')
  call put('0TOTAL' // repeat(' ', width - 13) // '15003.75')
  call put('+_____')

  close (20)

contains

  ! Writes one record; a shorter text is padded with blanks to 133 bytes.
  subroutine put(text)
    character(len=*), intent(in) :: text
    record = text
    write (20, rec=next_record) record
    next_record = next_record + 1
  end subroutine put

end program ledger
