! Writes one short printed report, with carriage control in the first column
! of every record, in the three ways Fortran programs store their output:
!   report.txt  formatted sequential (text lines)
!   report.seq  unformatted sequential (length-framed records)
!   report.dat  unformatted direct access, RECL bytes a record (fixed length)
program report
  implicit none
  integer, parameter :: direct_record_length = 640
  integer :: next_direct_record = 1
  character(len=600) :: long_line
  integer :: i

  open (10, file='report.txt', form='formatted', access='sequential', status='replace', action='write')
  open (11, file='report.seq', form='unformatted', access='sequential', status='replace', action='write')
  open (12, file='report.dat', form='unformatted', access='direct', recl=direct_record_length, &
        status='replace', action='write')

  do i = 1, len(long_line)
    long_line(i:i) = achar(iachar('A') + mod(i - 1, 26))
  end do

  call emit('1QUARTERLY REPORT')
  call emit(' REGION' // achar(9) // 'SALES')
  call emit('0NORTH' // achar(9) // '1200')
  call emit('+_____')
  call emit('$NAME?')
  call emit('+ SMITH')
  call emit('')
  call emit(' ' // long_line)
  call emit(' END')

  close (10)
  close (11)
  close (12)

contains

  subroutine emit(text)
    character(len=*), intent(in) :: text
    write (10, '(A)') text
    write (11) text
    write (12, rec=next_direct_record) text
    next_direct_record = next_direct_record + 1
  end subroutine emit

end program report
